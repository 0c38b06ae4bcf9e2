#include "settings/settings_controller.h"

#include <string>

#include "desktop/app_error.h"

namespace qv {

namespace {
// From the dialog's outer corner to the middle of the "OK" button.
constexpr Point kOkButtonOffset{97, 127};
}  // namespace

void SettingsController::FormCreate() {
  preferences_.InitializeParameters("PgmStart");
  preferences_.InitializeParameters("PgmUpdate");
}

void SettingsController::FormActivate() {
  preferences_.InitializeParameters("PgmUpdate");
  view_.hotKeyBox.SetText(FormatShortcut(hotKey_.Key(), layout_));
  view_.delayBox.SetText(std::to_string(state_.PasteDelayMs));
  const WindowRect dialog = view_.form.Bounds();
  desktop_.SetPointer({dialog.left + kOkButtonOffset.x, dialog.top + kOkButtonOffset.y});
}

void SettingsController::BitBtn1Click() {
  // A delay that would fail to apply is neither written nor applied; the dialog stays open.
  AcceptDelayText(view_.delayBox);
  preferences_.CheckWritable();  // a file that could not be read is not overwritten
  preferences_.InitializeParameters("ParmUpdate");
  preferences_.InitializeParameters("PgmUpdate");
  view_.form.CloseModal();
}

void SettingsController::BitBtn2Click() {
  preferences_.InitializeParameters("PgmStart");
  // A delay in the file that is no integer was reported at start-up; the box gets the
  // default delay, so that it is not reported again at every activation.
  try {
    StrToInt(view_.delayBox.Text());
  } catch (const AppError&) {
    view_.delayBox.SetText(std::to_string(kDefaultPasteDelayMs));
  }
  view_.form.CloseModal();
}

void SettingsController::RxLabel3MouseEnter() {
  view_.makerLabel.SetUnderlined(true);
}

void SettingsController::RxLabel3Click() {
  desktop_.OpenMailLink(kMakerMailLink);
}

void SettingsController::SettingsClick() {
  mainWindow_.Hide();
  view_.form.ShowModal();
}

}  // namespace qv
