#pragma once
// The main window's controls as plain state. The window layer reads the user's changes
// into it before each handler and shows it again afterwards.
#include <string>

namespace qv {

struct PopupControls {
  int selectedRow = -1;  // slot list (RxCheckListBox1) selection, -1 none
  int topRow = 0;
  int horizontalExtent = 0;
  bool listsEnabled = true;
  int labelTopRow = 0;     // key label column (ListBox7)
  int labelSelected = -1;  // label selected by the user, -1 none
  std::string labelHint;   // the column's hint text
  bool labelHintsEnabled = false;
  bool crlfDown = false;    // "+cR" (SpeedButton2): suffix CR LF
  bool crlfLfDown = false;  // "+CR" (SpeedButton3): suffix CR LF LF
  int timer1Interval = 0;   // pointer tracking for the preview hint
  int timer3Interval = 0;   // label column follows the slot list
};

struct WindowRect {
  int left = 0, top = 0, width = 0, height = 0;  // outer window, screen pixels
};

// Operations on the main window that take effect at once.
class PopupWindowOps {
 public:
  virtual ~PopupWindowOps() = default;
  virtual void Show() = 0;  // visible and brought to the front
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
  virtual WindowRect Bounds() const = 0;
  virtual void SetLeft(int left) = 0;
  virtual void SetTop(int top) = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetStayOnTop(bool onTop) = 0;
  virtual void FocusPanel() = 0;
};

}  // namespace qv
