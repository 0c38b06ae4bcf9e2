#include "linux/dialogs/gtk/settings_window.h"

#include "library/paste_delay.h"
#include "settings/settings_choices.h"
#include "settings/settings_layout.h"

namespace qv::x11::gtk {

namespace {

namespace layout = settings_layout;

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
      kit_(layout::kCaption, layout::kWindow),
      hotKeyCombo_(MakeCombo(kHotKeyChoices)),
      delayCombo_(MakeCombo(kPasteDelayChoices)),
      maker_(MakeLabel(layout::kMakerLabel.text, "qv-yellow")),
      form_(kit_.Window()),
      hotKeyBox_(EntryOf(hotKeyCombo_), 0),
      delayBox_(EntryOf(delayCombo_), 0),
      makerLabel_(GTK_LABEL(maker_)) {
  GtkWidget* header = gtk_event_box_new();
  gtk_style_context_add_class(gtk_widget_get_style_context(header), "qv-header");
  GtkFixed* inHeader = GTK_FIXED(gtk_fixed_new());
  gtk_container_add(GTK_CONTAINER(header), GTK_WIDGET(inHeader));
  kit_.Put(header, layout::kHeader);
  // Inside the header's bevel.
  const auto inside = [](const DialogLabel& label, int& x, int& y) {
    x = label.place.left - kHeaderBevel;
    y = label.place.top - kHeaderBevel;
  };
  int x = 0, y = 0;
  inside(layout::kProductLabel, x, y);
  kit_.Put(inHeader, MakeLabel(layout::kProductLabel.text, "qv-yellow"), x, y);
  GtkWidget* makerBox = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(makerBox), FALSE);
  gtk_container_add(GTK_CONTAINER(makerBox), maker_);
  gtk_widget_add_events(makerBox, GDK_ENTER_NOTIFY_MASK | GDK_BUTTON_RELEASE_MASK);
  inside(layout::kMakerLabel, x, y);
  kit_.Put(inHeader, makerBox, x, y);
  Connect(makerBox, "enter-notify-event", [this] { events_.MakerLabelEnter(); });
  Connect(makerBox, "button-release-event", [this] { events_.MakerLabelClick(); });

  kit_.PutLabel(layout::kHotKeyLabel);
  kit_.PutLabel(layout::kDelayLabel);
  kit_.Put(hotKeyCombo_, layout::kHotKeyBox);
  kit_.Put(delayCombo_, layout::kDelayBox);
  GtkWidget* ok = kit_.Put(MakeFlatButton(layout::kOk.caption), layout::kOk.place);
  GtkWidget* cancel = kit_.Put(MakeFlatButton(layout::kCancel.caption), layout::kCancel.place);
  // Escape is "Cancel", as on Windows; a box's open list takes its Escape first.
  g_signal_connect(
      kit_.Window(), "key-press-event",
      G_CALLBACK(+[](GtkWidget*, GdkEventKey* event, SettingsWindow* self) -> gboolean {
        const guint modifiers = event->state & gtk_accelerator_get_default_mod_mask();
        if (event->keyval != GDK_KEY_Escape || modifiers != 0) return FALSE;
        self->events_.CancelClick();
        return TRUE;
      }),
      this);
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
