#pragma once
// The "Settings" dialog window: hot key and paste delay boxes, "OK" and "Cancel".
#include <windows.h>

#include <array>

#include "settings/settings_controller.h"
#include "settings/settings_controls.h"
#include "win32/kit/flat_buttons.h"
#include "win32/kit/gdi.h"
#include "win32/kit/win32_controls.h"
#include "win32/kit/window_base.h"

namespace qv {

class SettingsDialog : public Win32Form {
 public:
  // The controls, for the logic; they work once the dialog is created.
  SettingsView View() { return SettingsView{*this, hotKeyBox_, delayBox_, makerLabel_}; }
  explicit SettingsDialog(const WindowBase& owner) : owner_(owner) {}
  // Tray menu "Settings...": the dialog, made when first shown (nothing needs it before),
  // shown modally through `controller`; an error is reported in the standard box.
  void Open(SettingsController& controller);

 private:
  // The maker label: underlined by switching its font.
  class MakerLabel : public LabelControl {
   public:
    explicit MakerLabel(SettingsDialog& owner) : owner_(owner) {}
    bool Underlined() const override { return underlined_; }
    void SetUnderlined(bool underlined) override;
    void Refont();  // the font of its underline state
    HWND window = nullptr;
    bool pointerOn = false;

   private:
    SettingsDialog& owner_;
    bool underlined_ = false;
  };

  void Create();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  void DpiChanged() override;
  void CreateFonts();
  bool EscapeCancels(HWND control, UINT message, WPARAM key);
  void FitDropDown(HWND box, const ChildLayout& layout);
  template <std::size_t N>
  HWND CreateCombo(const ChildLayout& layout, const std::array<const char*, N>& items);

  Win32Text hotKeyBox_;
  Win32Text delayBox_;
  MakerLabel makerLabel_{*this};
  UniqueFont font_;
  UniqueFont underlinedFont_;
  UniqueBrush headerBrush_;
  const WindowBase& owner_;
  SettingsController* controller_ = nullptr;  // set before the dialog exists
  FlatButtons buttons_{{}, kDesignDpi};       // laid out at creation
};

}  // namespace qv
