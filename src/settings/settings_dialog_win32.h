#pragma once
// The "Settings" dialog window: hot key and paste delay boxes, "OK" and "Cancel".
#include <windows.h>

#include <utility>
#include <vector>

#include "app/handler_runner_win32.h"
#include "app/program.h"
#include "desktop/gdi_win32.h"
#include "settings/settings_controller.h"
#include "settings/settings_controls.h"

namespace qv {

class SettingsDialog : public SettingsWindowOps {
 public:
  SettingsDialog() = default;
  ~SettingsDialog() override;
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  void Create(HWND applicationWindow);
  void Attach(Program& program, SettingsController& controller);
  HWND Handle() const { return window_; }

  // Runs a handler with the boxes' texts read before and shown after.
  template <typename Handler>
  void Run(Handler&& handler);

  void ShowModal() override;
  void CloseModal() override { closeRequested_ = true; }
  WindowRect Bounds() const override;

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  static LRESULT CALLBACK MakerLabelProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void ReadControls();
  void ShowState();
  void Paint(HDC dc);
  int ButtonAt(POINT p) const;

  HWND window_ = nullptr;
  HWND hotKeyBox_ = nullptr;
  HWND delayBox_ = nullptr;
  HWND makerLabel_ = nullptr;
  WNDPROC makerLabelDefault_ = nullptr;
  UniqueFont font_;
  UniqueFont underlinedFont_;
  UniqueBrush headerBrush_;
  Program* program_ = nullptr;
  HandlerRunner runner_{[this] { ReadControls(); }, [this] { ShowState(); }};
  SettingsController* controller_ = nullptr;
  bool closeRequested_ = false;
  bool placed_ = false;
  bool pointerOnMaker_ = false;
  int pressedButton_ = -1;
  std::vector<HWND> disabledWindows_;
};

template <typename Handler>
void SettingsDialog::Run(Handler&& handler) {
  if (!program_) return;
  runner_.Run(window_, std::forward<Handler>(handler));
}

}  // namespace qv
