#pragma once
// The main window: the pop-up list with its header, slot list and key label column.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "app/handler_runner_win32.h"
#include "app/program.h"
#include "desktop/gdi_win32.h"
#include "popup/hint_window_win32.h"
#include "popup/popup_controller.h"
#include "popup/popup_controls.h"

namespace qv {

class PopupWindow : public PopupWindowOps {
 public:
  PopupWindow() = default;
  ~PopupWindow() override;
  PopupWindow(const PopupWindow&) = delete;
  PopupWindow& operator=(const PopupWindow&) = delete;

  // Creates the window hidden, owned by the application window.
  void Create(HWND applicationWindow);
  // Connects the logic once it exists; the window forwards its messages to it.
  void Attach(Program& program, PopupController& controller);
  HWND Handle() const { return window_; }

  // Runs a handler with the controls' state read before and shown after; a raised error
  // is reported and ends the handler; a closed main window ends the program.
  template <typename Handler>
  void Run(Handler&& handler);
  // The user pressed a key anywhere in the window (keyboard preview).
  void PreviewKey(unsigned virtualKey);
  // Shows the core's state in the controls (rows included).
  void ShowState();

  // PopupWindowOps
  void Show() override;
  void Hide() override;
  bool Visible() const override;
  WindowRect Bounds() const override;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  void SetStayOnTop(bool onTop) override;
  void FocusPanel() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK LabelColumnProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void ReadControls();
  void Paint(HDC dc);
  void DrawListItem(const DRAWITEMSTRUCT& item);
  int HeaderButtonAt(POINT p) const;
  void OnMouseDown(POINT p);
  void OnMouseUp(POINT p);
  void OnMouseMove(POINT p, WPARAM keys);
  void UpdateTimer(int id, int interval, int& applied);
  void LabelColumnMouse(UINT message);
  void ShowHintAtPointer();

  HWND window_ = nullptr;
  HWND slotList_ = nullptr;
  HWND labelColumn_ = nullptr;
  WNDPROC labelColumnDefault_ = nullptr;
  UniqueFont font_;
  UniqueFont boldFont_;
  Program* program_ = nullptr;
  HandlerRunner runner_{[this] { ReadControls(); }, [this] { ShowState(); }};
  PopupController* controller_ = nullptr;
  std::vector<std::string> shownRows_;
  int pressedButton_ = -1;  // header button under a pressed left button
  bool dragging_ = false;
  int timer1Applied_ = 0, timer3Applied_ = 0;
  bool shownCrLf_ = false, shownCrLfLf_ = false;
  bool trackingLeave_ = false;
  HintWindow hint_;
};

template <typename Handler>
void PopupWindow::Run(Handler&& handler) {
  if (!program_) return;
  runner_.Run(window_, std::forward<Handler>(handler));
  // The program ends once the outermost handler has returned.
  if (program_->state.terminateRequested && window_ && !runner_.Busy()) DestroyWindow(window_);
}

}  // namespace qv
