#include "linux/dialogs/gtk/editor_window.h"

#include <string>

#include "editor/editor_layout.h"

namespace qv::x11::gtk {

namespace {

namespace layout = editor_layout;

template <typename Call>
void OnClicked(GtkWidget* button, Call call) {
  // The lambda lives as long as the button: it is the button's data.
  auto* held = new Call(std::move(call));
  g_signal_connect_data(
      button, "clicked", G_CALLBACK(+[](GtkButton*, Call* c) { (*c)(); }), held,
      +[](gpointer data, GClosure*) { delete static_cast<Call*>(data); }, GConnectFlags(0));
}

GtkWidget* MakeTitleEntry() {
  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
  gtk_widget_set_sensitive(entry, FALSE);
  return entry;
}

GtkWidget* MakeContentView() {
  GtkWidget* view = gtk_text_view_new();
  gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(view), GTK_WRAP_NONE);
  gtk_text_view_set_accepts_tab(GTK_TEXT_VIEW(view), FALSE);  // Tab moves to the title
  gtk_text_view_set_left_margin(GTK_TEXT_VIEW(view), 2);
  gtk_widget_set_sensitive(view, FALSE);
  return view;
}

}  // namespace

EditorWindow::EditorWindow(EditorEvents& events)
    : events_(events),
      kit_(layout::kCaption, layout::kWindow),
      titleEntry_(MakeTitleEntry()),
      contentView_(MakeContentView()),
      updateButton_(MakeFlatButton(layout::kUpdateClip.caption, true)),
      contentMenu_(gtk_menu_new()),
      form_(kit_.Window()),
      title_(GTK_ENTRY(titleEntry_), layout::kTitleLimit),
      content_(GTK_TEXT_VIEW(contentView_)),
      updateClip_(updateButton_) {
  GtkWidget* instructions = kit_.PutLabel(layout::kInstructions);
  gtk_label_set_line_wrap(GTK_LABEL(instructions), TRUE);
  gtk_label_set_max_width_chars(GTK_LABEL(instructions), 1);  // wraps at the given width
  kit_.PutLabel(layout::kTitleLabel);
  kit_.Put(titleEntry_, layout::kTitleField);
  GtkWidget* clear = kit_.Put(MakeFlatButton(layout::kClear.caption, true), layout::kClear.place);
  kit_.PutLabel(layout::kContentLabel);
  GtkWidget* scroller = gtk_scrolled_window_new(nullptr, nullptr);
  // A vertical bar only; long lines still scroll sideways with the caret.
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroller), GTK_POLICY_EXTERNAL,
                                 GTK_POLICY_ALWAYS);
  gtk_container_add(GTK_CONTAINER(scroller), contentView_);
  kit_.Put(scroller, layout::kContentField);
  kit_.Put(updateButton_, layout::kUpdateClip.place);
  GtkWidget* close = kit_.Put(MakeFlatButton(layout::kClose.caption, true), layout::kClose.place);
  gtk_widget_set_sensitive(updateButton_, FALSE);
  kit_.SetTabOrder({scroller, titleEntry_, clear, updateButton_, close});
  // Shown with no widget holding the keyboard, as the Windows dialog activates: a key typed
  // at once goes nowhere, and Tab goes to the clip's text.
  g_signal_connect_after(kit_.Window(), "show", G_CALLBACK(+[](GtkWindow* window, gpointer) {
                           gtk_window_set_focus(window, nullptr);
                         }),
                         nullptr);

  OnClicked(clear, [this] { events_.ClearClick(); });
  OnClicked(updateButton_, [this] { events_.UpdateClipClick(); });
  OnClicked(close, [this] { events_.CloseClick(); });

  GtkWidget* paste = gtk_menu_item_new_with_label(layout::kPasteFromClipboard);
  gtk_menu_shell_append(GTK_MENU_SHELL(contentMenu_), paste);
  gtk_widget_show(paste);
  gtk_menu_attach_to_widget(GTK_MENU(contentMenu_), contentView_, nullptr);
  g_signal_connect_swapped(
      paste, "activate",
      G_CALLBACK(+[](EditorWindow* self) { self->events_.PasteFromClipboardClick(); }), this);

  for (GtkWidget* field : {titleEntry_, contentView_}) {
    g_signal_connect(field, "button-press-event", G_CALLBACK(OnFieldPress), this);
    g_signal_connect(field, "button-release-event", G_CALLBACK(OnFieldRelease), this);
  }
  g_signal_connect(contentView_, "popup-menu", G_CALLBACK(OnContentMenuKey), this);
  g_signal_connect(contentView_, "key-press-event", G_CALLBACK(OnContentKey), this);
  // Typed, pasted, cut or dropped by the user; the program's own SetText is not a change.
  g_signal_connect_swapped(titleEntry_, "changed", G_CALLBACK(+[](EditorWindow* self) {
                             if (!self->title_.ProgramChanging()) self->events_.FieldChanged();
                           }),
                           this);
  g_signal_connect_swapped(gtk_text_view_get_buffer(GTK_TEXT_VIEW(contentView_)), "changed",
                           G_CALLBACK(+[](EditorWindow* self) {
                             if (!self->content_.ProgramChanging()) self->events_.FieldChanged();
                           }),
                           this);
  // Before the focused widget sees them.
  g_signal_connect(kit_.Window(), "key-press-event", G_CALLBACK(OnWindowKey), this);
  g_signal_connect(kit_.Window(), "notify::is-active",
                   G_CALLBACK(+[](GtkWindow* window, GParamSpec*, EditorWindow* self) {
                     if (gtk_window_is_active(window) && gtk_widget_get_visible(GTK_WIDGET(window)))
                       self->events_.FormActivate();
                   }),
                   this);
  gtk_window_move(kit_.Window(), layout::kWindow.left, layout::kWindow.top);
}

EditorField EditorWindow::Focused() const {
  GtkWidget* focus = gtk_window_get_focus(kit_.Window());
  if (focus == titleEntry_) return EditorField::Title;
  if (focus == contentView_) return EditorField::Content;
  return EditorField::Button;
}

void EditorWindow::Focus(EditorField field) {
  if (field == EditorField::Title) gtk_widget_grab_focus(titleEntry_);
  if (field == EditorField::Content) gtk_widget_grab_focus(contentView_);
}

void EditorWindow::SelectAll(EditorField field) {
  if (field == EditorField::Title) gtk_editable_select_region(GTK_EDITABLE(titleEntry_), 0, -1);
  if (field == EditorField::Content) g_signal_emit_by_name(contentView_, "select-all", TRUE);
}

// Escape, Enter and Ctrl+A as the dialog gives them meaning, wherever the keyboard is.
gboolean EditorWindow::OnWindowKey(GtkWidget*, GdkEventKey* event, EditorWindow* self) {
  const GdkModifierType modifiers =
      GdkModifierType(event->state & gtk_accelerator_get_default_mod_mask());
  const guint key = gdk_keyval_to_lower(event->keyval);
  EditorKey meaning;
  if (key == GDK_KEY_Escape && modifiers == 0)
    meaning = EditorKey::Escape;
  else if ((key == GDK_KEY_Return || key == GDK_KEY_KP_Enter) && modifiers == 0)
    meaning = EditorKey::Enter;
  else if (key == GDK_KEY_a && modifiers == GDK_CONTROL_MASK)
    meaning = EditorKey::SelectAll;
  else
    return FALSE;
  return self->events_.KeyDown(meaning, self->Focused());
}

// A field's menu opens at the right button's release, after the mouse-up handler, as the
// Windows fields' do: the content field's own one-item menu, the title field's the usual
// cut/copy/paste (GTK would open both at the press, and the release would never reach us).
gboolean EditorWindow::OnFieldPress(GtkWidget*, GdkEventButton* event, EditorWindow*) {
  return event->type == GDK_BUTTON_PRESS && event->button == GDK_BUTTON_SECONDARY;
}

gboolean EditorWindow::OnFieldRelease(GtkWidget* field, GdkEventButton* event, EditorWindow* self) {
  self->events_.FieldMouseUp();
  if (event->button != GDK_BUTTON_SECONDARY) return FALSE;
  if (field == self->contentView_) {
    self->OpenContentMenu(reinterpret_cast<const GdkEvent*>(event));
  } else {
    gboolean shown = FALSE;
    g_signal_emit_by_name(field, "popup-menu", &shown);
  }
  return TRUE;
}

gboolean EditorWindow::OnContentMenuKey(GtkWidget*, EditorWindow* self) {
  self->OpenContentMenu(nullptr);
  return TRUE;
}

void EditorWindow::OpenContentMenu(const GdkEvent* event) {
  if (!content_.MenuAutoPopup()) return;
  if (event) {
    gtk_menu_popup_at_pointer(GTK_MENU(contentMenu_), event);
  } else {
    gtk_menu_popup_at_widget(GTK_MENU(contentMenu_), contentView_, GDK_GRAVITY_NORTH_WEST,
                             GDK_GRAVITY_NORTH_WEST, nullptr);
  }
}

// Undo and redo, which GTK 3's text view lacks; Ctrl+Tab types a TAB, as Tab moves on.
gboolean EditorWindow::OnContentKey(GtkWidget*, GdkEventKey* event, EditorWindow* self) {
  const GdkModifierType modifiers =
      GdkModifierType(event->state & gtk_accelerator_get_default_mod_mask());
  const bool ctrl = modifiers == GDK_CONTROL_MASK;
  const bool ctrlShift = modifiers == (GDK_CONTROL_MASK | GDK_SHIFT_MASK);
  const guint key = gdk_keyval_to_lower(event->keyval);
  if (ctrl && key == GDK_KEY_z) {
    self->content_.Undo().Undo();
    return TRUE;
  }
  if ((ctrl && key == GDK_KEY_y) || (ctrlShift && key == GDK_KEY_z)) {
    self->content_.Undo().Redo();
    return TRUE;
  }
  if (ctrl && (key == GDK_KEY_Tab || key == GDK_KEY_ISO_Left_Tab)) {
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(self->contentView_));
    gtk_text_buffer_begin_user_action(buffer);
    gtk_text_buffer_delete_selection(buffer, TRUE, TRUE);
    gtk_text_buffer_insert_interactive_at_cursor(buffer, "\t", 1, TRUE);
    gtk_text_buffer_end_user_action(buffer);
    return TRUE;
  }
  return FALSE;
}

}  // namespace qv::x11::gtk
