#pragma once
// The settings dialog's handlers: its two boxes hold the hot key and paste delay texts that
// the preferences load, apply and save.
#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/preferences.h"
#include "library/program_state.h"
#include "settings/settings_controls.h"

namespace qv {

inline constexpr const char* kMakerMailLink = "mailto:support@skorvelmora.example";

class SettingsController {
 public:
  SettingsController(SettingsView view, FormControl& mainWindow, Preferences& preferences,
                     const GlobalHotKey& hotKey, const KeyboardLayout& layout,
                     const ProgramState& state, DesktopServices& desktop)
      : view_(view),
        mainWindow_(mainWindow),
        preferences_(preferences),
        hotKey_(hotKey),
        layout_(layout),
        state_(state),
        desktop_(desktop) {}

  // Once at start-up: load and apply the preferences.
  void FormCreate();
  // Every activation: apply the boxes, show the values in effect, point at "OK".
  void FormActivate();
  // "OK": save, apply, close. A delay that is no integer is refused before anything happens.
  void BitBtn1Click();
  // "Cancel": reload the boxes from the file without applying them, close.
  void BitBtn2Click();
  void RxLabel3MouseEnter();
  void RxLabel3Click();
  // Tray menu "Settings...": hide the pop-up list, then show the dialog modally.
  void SettingsClick();

 private:
  SettingsView view_;
  FormControl& mainWindow_;
  Preferences& preferences_;
  const GlobalHotKey& hotKey_;
  const KeyboardLayout& layout_;
  const ProgramState& state_;
  DesktopServices& desktop_;
};

}  // namespace qv
