#include "x11/dialogs/gtk/settings_window.h"

#include <climits>

#include "library/paste_delay.h"
#include "settings/settings_choices.h"

namespace qv::x11::gtk {

namespace {

template <typename Choices>
GtkWidget* MakeCombo(const Choices& choices) {
  GtkWidget* combo = gtk_combo_box_text_new_with_entry();
  for (const char* choice : choices)
    gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(combo), choice);
  GtkEntry* entry = GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo)));
  gtk_entry_set_width_chars(entry, 1);
  return combo;
}

GtkEntry* EntryOf(GtkWidget* combo) {
  return GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo)));
}

template <typename Call>
void Connect(gpointer instance, const char* signal, Call call) {
  auto* held = new Call(std::move(call));
  g_signal_connect_data(
      instance, signal, G_CALLBACK(+[](GtkWidget*, GdkEvent*, Call* c) -> gboolean {
        (*c)();
        return FALSE;
      }),
      held, +[](gpointer data, GClosure*) { delete static_cast<Call*>(data); }, GConnectFlags(0));
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsEvents& events)
    : events_(events),
      kit_("Settings", 228, 119),
      hotKeyCombo_(MakeCombo(kHotKeyChoices)),
      delayCombo_(MakeCombo(kPasteDelayChoices)),
      maker_(MakeLabel("Skor Velmora Software", "qv-yellow")),
      form_(kit_.Window()),
      hotKeyBox_(EntryOf(hotKeyCombo_), INT_MAX),
      delayBox_(EntryOf(delayCombo_), INT_MAX),
      makerLabel_(GTK_LABEL(maker_)) {
  GtkWidget* header = gtk_event_box_new();
  gtk_style_context_add_class(gtk_widget_get_style_context(header), "qv-header");
  GtkFixed* inHeader = GTK_FIXED(gtk_fixed_new());
  gtk_container_add(GTK_CONTAINER(header), GTK_WIDGET(inHeader));
  kit_.Put(header, 6, 2, 217, 43);
  kit_.Put(inHeader, MakeLabel("Quorvanel Clips V1.2", "qv-yellow"), 61 - 2, 5 - 2);
  GtkWidget* makerBox = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(makerBox), FALSE);
  gtk_container_add(GTK_CONTAINER(makerBox), maker_);
  gtk_widget_add_events(makerBox, GDK_ENTER_NOTIFY_MASK | GDK_BUTTON_RELEASE_MASK);
  kit_.Put(inHeader, makerBox, 56 - 2, 21 - 2);
  Connect(makerBox, "enter-notify-event", [this] { events_.MakerLabelEnter(); });
  Connect(makerBox, "button-release-event", [this] { events_.MakerLabelClick(); });

  kit_.Put(MakeLabel("Clip HotKey:"), 6, 51);
  kit_.Put(MakeLabel("Paste Delay:"), 119, 51);
  kit_.Put(hotKeyCombo_, 6, 66, 105, 21);
  kit_.Put(delayCombo_, 119, 66, 105, 21);
  GtkWidget* ok = kit_.Put(MakeFlatButton("OK"), 37, 94, 75, 22);
  GtkWidget* cancel = kit_.Put(MakeFlatButton("Cancel"), 116, 94, 75, 22);
  g_signal_connect_swapped(
      ok, "clicked", G_CALLBACK(+[](SettingsWindow* self) { self->events_.OkClick(); }), this);
  g_signal_connect_swapped(cancel, "clicked",
                           G_CALLBACK(+[](SettingsWindow* self) { self->events_.CancelClick(); }),
                           this);
  g_signal_connect(kit_.Window(), "notify::is-active",
                   G_CALLBACK(+[](GtkWindow* window, GParamSpec*, SettingsWindow* self) {
                     if (gtk_window_is_active(window) && gtk_widget_get_visible(GTK_WIDGET(window)))
                       self->events_.FormActivate();
                   }),
                   this);

  // Shown only modally: the editor takes no input meanwhile; on top of other windows;
  // centred when first shown.
  gtk_window_set_modal(kit_.Window(), TRUE);
  form_.SetStayOnTop(true);
  gtk_window_set_position(kit_.Window(), GTK_WIN_POS_CENTER);
}

}  // namespace qv::x11::gtk
