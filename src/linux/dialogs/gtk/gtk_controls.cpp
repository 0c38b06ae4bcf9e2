#include "linux/dialogs/gtk/gtk_controls.h"

#include <gdk/gdkx.h>

#include <cmath>
#include <cstring>
#include <string_view>

#include "editor/title_field.h"
#include "linux/dialogs/field_text.h"

namespace qv::x11::gtk {

bool GtkForm::Visible() const {
  return gtk_widget_get_visible(GTK_WIDGET(window_));
}

void GtkForm::Show() {
  GtkWidget* widget = GTK_WIDGET(window_);
  gtk_widget_show_all(widget);
  // A time stamp from the server, so that the window manager brings it to the front and
  // gives it the keyboard as it would to a window the user clicked.
  // On Wayland (GDK_BACKEND=wayland) the compositor decides; there is no server time.
  GdkWindow* window = gtk_widget_get_window(widget);
  if (GDK_IS_X11_WINDOW(window))
    gtk_window_present_with_time(window_, gdk_x11_get_server_time(window));
  else
    gtk_window_present(window_);
  if (!shownOnce_) {
    shownOnce_ = true;
    gtk_window_set_position(window_, GTK_WIN_POS_NONE);  // later showings stay where it was
  }
}

void GtkForm::Hide() {
  gtk_widget_hide(GTK_WIDGET(window_));
}

WindowRect GtkForm::Bounds() const {
  GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(window_));
  if (window && gtk_widget_get_mapped(GTK_WIDGET(window_))) {
    GdkRectangle frame;
    gdk_window_get_frame_extents(window, &frame);
    frameWidth_ = frame.width - gdk_window_get_width(window);
    frameHeight_ = frame.height - gdk_window_get_height(window);
    return {frame.x, frame.y, frame.width, frame.height};
  }
  // Not on screen: where it will be, at its layout's size (the window's own is a default
  // 200 x 200 until it is shown), in the frame it had last.
  int x = 0, y = 0;
  gtk_window_get_position(window_, &x, &y);
  int width = 0, height = 0;
  gtk_widget_get_size_request(gtk_bin_get_child(GTK_BIN(window_)), &width, &height);
  return {x, y, width + frameWidth_, height + frameHeight_};
}

void GtkForm::SetLeft(int left) {
  const WindowRect now = Bounds();
  if (now.left != left) gtk_window_move(window_, left, now.top);
}

void GtkForm::SetTop(int top) {
  const WindowRect now = Bounds();
  if (now.top != top) gtk_window_move(window_, now.left, top);
}

void GtkForm::SetWidth(int width) {
  int client = 0, height = 0;
  gtk_window_get_size(window_, &client, &height);
  gtk_window_resize(window_, std::max(1, client + width - Bounds().width), height);
}

void GtkForm::SetStayOnTop(bool onTop) {
  onTop_ = onTop;
  gtk_window_set_keep_above(window_, onTop);
}

int GtkForm::Dpi() const {
  const double resolution = gdk_screen_get_resolution(gtk_widget_get_screen(GTK_WIDGET(window_)));
  const int scale = gtk_widget_get_scale_factor(GTK_WIDGET(window_));
  return static_cast<int>(std::lround(resolution > 0 ? resolution : 96.0)) * std::max(1, scale);
}

EntryText::EntryText(GtkEntry* entry, std::size_t typedLimit)
    : entry_(entry), typedLimit_(typedLimit) {
  if (typedLimit > 0)
    limitHandler_ = g_signal_connect(entry, "insert-text", G_CALLBACK(LimitTyping), this);
}

// Takes of what is typed or pasted what the limit leaves room for; a full field refuses it,
// as the Windows field does. GTK has taken the selection typed over out already.
void EntryText::LimitTyping(GtkEditable* editable, const char* text, int length, int* position,
                            EntryText* self) {
  const std::string_view typed(text, length < 0 ? std::strlen(text) : std::size_t(length));
  const std::string_view taken =
      TypedPartThatFits(gtk_entry_get_text(self->entry_), typed, self->typedLimit_);
  if (taken.size() == typed.size()) return;
  g_signal_stop_emission_by_name(editable, "insert-text");
  if (taken.empty()) {
    gtk_widget_error_bell(GTK_WIDGET(editable));
    return;
  }
  g_signal_handler_block(editable, self->limitHandler_);
  gtk_editable_insert_text(editable, taken.data(), static_cast<int>(taken.size()), position);
  g_signal_handler_unblock(editable, self->limitHandler_);
}

std::string EntryText::Text() const {
  return gtk_entry_get_text(entry_);
}

void EntryText::SetText(const std::string& text) {
  const std::string field = ToFieldText(text, false);
  if (field == gtk_entry_get_text(entry_)) return;
  if (limitHandler_) g_signal_handler_block(entry_, limitHandler_);
  programChanging_ = true;
  gtk_entry_set_text(entry_, field.c_str());
  programChanging_ = false;
  if (limitHandler_) g_signal_handler_unblock(entry_, limitHandler_);
}

bool EntryText::Enabled() const {
  return gtk_widget_get_sensitive(GTK_WIDGET(entry_));
}
void EntryText::SetEnabled(bool enabled) {
  gtk_widget_set_sensitive(GTK_WIDGET(entry_), enabled);
}

std::string TextViewMemo::Text() const {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(view_);
  GtkTextIter start, end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  char* text = gtk_text_buffer_get_text(buffer, &start, &end, TRUE);
  std::string lines = FromFieldLines(text);
  g_free(text);
  return lines;
}

void TextViewMemo::SetText(const std::string& text) {
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(view_);
  const std::string field = ToFieldText(text, true);
  programChanging_ = true;
  gtk_text_buffer_set_text(buffer, field.data(), static_cast<int>(field.size()));
  programChanging_ = false;
  GtkTextIter start;
  gtk_text_buffer_get_start_iter(buffer, &start);
  gtk_text_buffer_place_cursor(buffer, &start);
  gtk_text_view_scroll_to_iter(view_, &start, 0, FALSE, 0, 0);
  undo_.Forget();
}

bool TextViewMemo::Enabled() const {
  return gtk_widget_get_sensitive(GTK_WIDGET(view_));
}
void TextViewMemo::SetEnabled(bool enabled) {
  gtk_widget_set_sensitive(GTK_WIDGET(view_), enabled);
}

void TextViewMemo::PasteFromClipboard() {
  g_signal_emit_by_name(view_, "paste-clipboard");
}

void UnderlinedLabel::SetUnderlined(bool underlined) {
  if (underlined_ == underlined) return;
  underlined_ = underlined;
  PangoAttrList* attributes = pango_attr_list_new();
  if (underlined)
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  gtk_label_set_attributes(label_, attributes);
  pango_attr_list_unref(attributes);
}

}  // namespace qv::x11::gtk
