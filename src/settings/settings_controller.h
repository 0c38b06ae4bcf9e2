#pragma once
// The settings dialog's handlers: its two boxes hold the hot key and paste delay texts that
// the preferences load, apply and save.
#include "app/program.h"

namespace qv {

inline constexpr const char* kMakerMailLink = "mailto:support@skorvelmora.example";

class SettingsController {
 public:
  explicit SettingsController(Program& program) : program_(program) {}

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
  Program& program_;
};

}  // namespace qv
