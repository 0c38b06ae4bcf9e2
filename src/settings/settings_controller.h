#pragma once
// The settings dialog's handlers: its two boxes show and edit the hot key and paste delay
// texts of the preferences, which OK saves and applies.
#include <string>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "settings/settings_controls.h"
#include "state/preference_keeper.h"
#include "state/shared_state.h"

namespace qv {

inline constexpr const char* kMakerMailLink = "mailto:support@skorvelmora.example";

class SettingsController {
 public:
  SettingsController(SettingsView view, FormControl& mainWindow, PreferenceKeeper& preferences,
                     const GlobalHotKey& hotKey, const KeyboardLayout& layout,
                     const SharedState& shared, Pointer& pointer, MessageBoxes& messages)
      : view_(view),
        mainWindow_(mainWindow),
        preferences_(preferences),
        hotKey_(hotKey),
        layout_(layout),
        shared_(shared),
        pointer_(pointer),
        messages_(messages) {}

  // Every activation: apply what the boxes hold, show the values in effect, point at "OK".
  void FormActivate();
  // "OK": save, apply, close. A delay that is no integer is refused before anything happens.
  void BitBtn1Click();
  // "Cancel": the boxes' texts from the file again, nothing applied, the list's suffix
  // buttons left alone; close.
  void BitBtn2Click();
  void RxLabel3MouseEnter();
  void RxLabel3Click();
  // Tray menu "Settings...": hide the pop-up list, then show the dialog modally with the
  // preferences in its boxes.
  void SettingsClick();

 private:
  void ShowValues();  // preferences -> boxes
  void TakeBoxes();   // boxes the user changed -> preferences

  // What the boxes were last given, so that only the user's changes are taken.
  std::string shownHotKey_, shownDelay_;

  SettingsView view_;
  FormControl& mainWindow_;
  PreferenceKeeper& preferences_;
  const GlobalHotKey& hotKey_;
  const KeyboardLayout& layout_;
  const SharedState& shared_;
  Pointer& pointer_;
  MessageBoxes& messages_;
};

}  // namespace qv
