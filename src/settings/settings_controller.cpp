#include "settings/settings_controller.h"

#include <string>

#include "app/app_error.h"

namespace qv {

namespace {
// From the dialog's outer corner to the middle of the "OK" button.
constexpr Point kOkButtonOffset{97, 127};
}  // namespace

void SettingsController::FormCreate() {
  program_.SettingsFormCreate();
}

void SettingsController::FormActivate() {
  program_.InitializeParameters("PgmUpdate");
  program_.settings.hotKeyText = FormatShortcut(program_.hotKey.Key(), program_.services.layout);
  program_.settings.delayText = std::to_string(program_.state.PasteDelayMs);
  const WindowRect dialog = program_.services.settingsWindow.Bounds();
  program_.services.desktop.SetPointer(
      {dialog.left + kOkButtonOffset.x, dialog.top + kOkButtonOffset.y});
}

void SettingsController::BitBtn1Click() {
  // A delay that would fail to apply is neither written nor applied; the dialog stays open.
  AcceptDelayText(program_.settings, program_.state.PasteDelayMs);
  program_.InitializeParameters("ParmUpdate");
  program_.InitializeParameters("PgmUpdate");
  program_.services.settingsWindow.CloseModal();
}

void SettingsController::BitBtn2Click() {
  program_.InitializeParameters("PgmStart");
  // A delay in the file that is no integer was reported at start-up; the box keeps the
  // delay in effect, so that it is not reported again at every activation.
  try {
    StrToInt(program_.settings.delayText);
  } catch (const AppError&) {
    program_.settings.delayText = std::to_string(program_.state.PasteDelayMs);
  }
  program_.services.settingsWindow.CloseModal();
}

void SettingsController::RxLabel3MouseEnter() {
  program_.settings.makerUnderlined = true;
}

void SettingsController::RxLabel3Click() {
  program_.services.desktop.OpenMailLink(kMakerMailLink);
}

void SettingsController::SettingsClick() {
  program_.services.popupWindow.Hide();
  program_.services.settingsWindow.ShowModal();
}

}  // namespace qv
