#pragma once
// The "Settings" dialog window: hot key and paste delay boxes, "OK" and "Cancel".
#include <windows.h>

#include <utility>

#include "desktop/controls_win32.h"
#include "desktop/error_box_win32.h"
#include "desktop/flat_buttons_win32.h"
#include "desktop/gdi_win32.h"
#include "desktop/window_class_win32.h"
#include "settings/settings_controller.h"
#include "settings/settings_controls.h"

namespace qv {

class SettingsDialog : public Win32Form {
 public:
  SettingsDialog() = default;
  ~SettingsDialog() override;
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  void Create(HWND applicationWindow);
  void Attach(SettingsController& controller) { controller_ = &controller; }
  SettingsView View() { return SettingsView{*this, hotKeyBox_, delayBox_, makerLabel_}; }

  // Runs a handler; a raised error ends it and is reported in the standard error box.
  template <typename Handler>
  void Run(Handler&& handler) {
    RunHandler(window_, std::forward<Handler>(handler));
  }

 private:
  // The maker label: underlined by switching its font.
  class MakerLabel : public LabelControl {
   public:
    explicit MakerLabel(SettingsDialog& owner) : owner_(owner) {}
    bool Underlined() const override { return underlined_; }
    void SetUnderlined(bool underlined) override;
    HWND window = nullptr;
    WNDPROC defaultProc = nullptr;
    bool pointerOn = false;

   private:
    SettingsDialog& owner_;
    bool underlined_ = false;
  };

  static LRESULT CALLBACK MakerLabelProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ForwardToOwner<SettingsDialog>(HWND, UINT, WPARAM, LPARAM);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);

  Win32Text hotKeyBox_;
  Win32Text delayBox_;
  MakerLabel makerLabel_{*this};
  UniqueFont font_;
  UniqueFont underlinedFont_;
  UniqueBrush headerBrush_;
  SettingsController* controller_ = nullptr;
  FlatButtons buttons_{{}};  // laid out at creation
};

}  // namespace qv
