#pragma once
// The core's controls over GTK widgets. Each call reads or changes the widget at once.
#include <gtk/gtk.h>

#include <cstddef>
#include <string>

#include "desktop/controls.h"
#include "linux/dialogs/gtk/text_undo.h"

namespace qv::x11::gtk {

// A dialog window with a caption and no close box.
class GtkForm : public FormControl {
 public:
  explicit GtkForm(GtkWindow* window) : window_(window) {}
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  WindowRect Bounds() const override;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  bool StayOnTop() const override { return onTop_; }
  void SetStayOnTop(bool onTop) override;
  int Dpi() const override;

 private:
  GtkWindow* window_;
  bool onTop_ = false;
  bool shownOnce_ = false;
  mutable int frameWidth_ = 0, frameHeight_ = 0;  // the window manager's frame, when last seen
};

// A single-line field; `typedLimit` characters at most (0: any number) may be typed or pasted
// into it, while the program may set any text.
class EntryText : public TextControl {
 public:
  EntryText(GtkEntry* entry, std::size_t typedLimit);
  std::string Text() const override;
  void SetText(const std::string& text) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  // While SetText runs: the change the field reports is the program's, not the user's.
  bool ProgramChanging() const { return programChanging_; }

 private:
  static void LimitTyping(GtkEditable* editable, const char* text, int length, int* position,
                          EntryText* self);
  GtkEntry* entry_;
  std::size_t typedLimit_;
  gulong limitHandler_ = 0;
  bool programChanging_ = false;
};

// The clip's text: CR LF between lines for the core, LF in the widget.
class TextViewMemo : public MemoControl {
 public:
  explicit TextViewMemo(GtkTextView* view) : view_(view), undo_(gtk_text_view_get_buffer(view)) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void PasteFromClipboard() override;
  bool MenuAutoPopup() const override { return menuAutoPopup_; }
  void SetMenuAutoPopup(bool on) override { menuAutoPopup_ = on; }
  TextUndo& Undo() { return undo_; }
  bool ProgramChanging() const { return programChanging_; }

 private:
  GtkTextView* view_;
  TextUndo undo_;
  bool programChanging_ = false;
  bool menuAutoPopup_ = true;
};

// A flat push button: only its enabled state matters.
class FlatButton : public ButtonControl {
 public:
  explicit FlatButton(GtkWidget* button) : button_(button) {}
  bool Down() const override { return false; }
  void SetDown(bool) override {}
  bool Enabled() const override { return gtk_widget_get_sensitive(button_); }
  void SetEnabled(bool enabled) override { gtk_widget_set_sensitive(button_, enabled); }

 private:
  GtkWidget* button_;
};

class UnderlinedLabel : public LabelControl {
 public:
  explicit UnderlinedLabel(GtkLabel* label) : label_(label) {}
  bool Underlined() const override { return underlined_; }
  void SetUnderlined(bool underlined) override;

 private:
  GtkLabel* label_;
  bool underlined_ = false;
};

}  // namespace qv::x11::gtk
