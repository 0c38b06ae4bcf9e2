#pragma once
// What a handler may do with a window's controls. Every call reads or changes the control
// itself at that moment, so a handler that runs inside another one's message box, modal
// dialog or menu sees what is on screen, and its changes stay.
#include <string>
#include <vector>

namespace qv {

struct Point {
  int x = 0, y = 0;
};

struct WindowRect {
  int left = 0, top = 0, width = 0, height = 0;  // outer window, screen pixels
};

class ListBoxControl {
 public:
  virtual ~ListBoxControl() = default;
  virtual int Count() const = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual void SetItem(int index, const std::string& text) = 0;
  // -1: no row selected.
  virtual int Selection() const = 0;
  // Set by the program: raises no click. A row outside the items selects nothing.
  virtual void Select(int row) = 0;
  virtual int TopRow() const = 0;
  // Clamped as the list box clamps it: the last page ends with the last row.
  virtual void SetTopRow(int row) = 0;
  virtual int HorizontalExtent() const = 0;
  virtual void SetHorizontalExtent(int pixels) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// An edit field or the edit part of a combo box.
class TextControl {
 public:
  virtual ~TextControl() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// A multi-line edit field with a context menu of its own.
class MemoControl : public TextControl {
 public:
  // The control's own paste: the clipboard's text at the caret, replacing the selection.
  virtual void PasteFromClipboard() = 0;
  // Whether a right click opens the field's menu.
  virtual bool MenuAutoPopup() const = 0;
  virtual void SetMenuAutoPopup(bool on) = 0;
};

// A popup menu that the program opens itself; the chosen item's handler runs before it
// returns.
class MenuControl {
 public:
  virtual ~MenuControl() = default;
  virtual void PopupAt(int x, int y) = 0;
};

// A flat toggle button; a push button is one that is never down.
class ButtonControl {
 public:
  virtual ~ButtonControl() = default;
  virtual bool Down() const = 0;
  virtual void SetDown(bool down) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
};

// The windows' timers (the preview's pointer tracking, the label column following the list)
// tick this often.
inline constexpr int kTimerIntervalMs = 100;

// A message timer: interval 0 is stopped.
class TimerControl {
 public:
  virtual ~TimerControl() = default;
  virtual int Interval() const = 0;
  virtual void SetInterval(int milliseconds) = 0;
};

// A control's hint: the text shown in a hint window while the pointer rests on it.
class HintControl {
 public:
  virtual ~HintControl() = default;
  virtual std::string Hint() const = 0;
  virtual void SetHint(const std::string& text) = 0;
  virtual bool HintsEnabled() const = 0;
  // Switching hints on shows the hint at the next pointer move; off hides it.
  virtual void SetHintsEnabled(bool enabled) = 0;
};

// A label whose font style the program changes.
class LabelControl {
 public:
  virtual ~LabelControl() = default;
  virtual bool Underlined() const = 0;
  virtual void SetUnderlined(bool underlined) = 0;
};

// The tray icon's tooltip.
class TipControl {
 public:
  virtual ~TipControl() = default;
  virtual std::string Tip() const = 0;
  // Already cut to what the notification area shows (NoticeBoard).
  virtual void SetTip(const std::string& text) = 0;
};

// A control that can take the keyboard focus.
class FocusControl {
 public:
  virtual ~FocusControl() = default;
  virtual void Focus() = 0;
};

// A top-level window of the program.
class FormControl {
 public:
  virtual ~FormControl() = default;
  // The form's own visibility: a form hidden only because the application is minimised
  // still counts as visible, and comes back when it is restored.
  virtual bool Visible() const = 0;
  virtual void Show() = 0;  // visible and brought to the front
  virtual void Hide() = 0;
  virtual WindowRect Bounds() const = 0;
  virtual void SetLeft(int left) = 0;
  virtual void SetTop(int top) = 0;
  virtual void SetWidth(int width) = 0;
  virtual bool StayOnTop() const = 0;
  virtual void SetStayOnTop(bool onTop) = 0;
  // The dots per inch of the monitor the window is on (96 at 100 %): its pixel numbers are
  // 96-dpi numbers scaled by it.
  virtual int Dpi() const = 0;
};

// A dialog that can also be shown modally.
class ModalFormControl : public FormControl {
 public:
  // Shows the dialog modally and returns when it closes; throws AppError
  // "Cannot make a visible window modal" when it is visible already.
  virtual void ShowModal() = 0;
  // Ends the modal showing; the dialog hides when control is back in ShowModal.
  virtual void CloseModal() = 0;
};

}  // namespace qv
