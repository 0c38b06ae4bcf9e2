#include "settings/settings_controller.h"

#include <string>

#include "base/app_error.h"
#include "desktop/dpi_scale.h"
#include "library/paste_delay.h"
#include "settings/settings_layout.h"

namespace qv {

void SettingsController::ShowValues() {
  view_.hotKeyBox.SetText(shownHotKey_ = preferences_.values.hotKey);
  view_.delayBox.SetText(shownDelay_ = preferences_.values.pasteDelay);
}

// Only what the user typed: a value another copy of the program changed while the dialog was
// up (taken in from the shared files) is not put back by the dialog's older text.
void SettingsController::TakeBoxes() {
  if (const std::string text = view_.hotKeyBox.Text(); text != shownHotKey_)
    preferences_.values.hotKey = text;
  if (const std::string text = view_.delayBox.Text(); text != shownDelay_)
    preferences_.values.pasteDelay = text;
}

void SettingsController::FormActivate() {
  // A delay typed beyond the bounds stays in its box, not applied, for "OK" to refuse.
  const std::string typedDelay = view_.delayBox.Text();
  const bool beyondBounds = !DelayBoundsRefusal(typedDelay).empty();
  TakeBoxes();
  if (beyondBounds) preferences_.values.pasteDelay = std::to_string(shared_.PasteDelayMs);
  try {
    preferences_.Apply();
  } catch (const AppError&) {
    ShowValues();  // the delay corrected to the default
    throw;
  }
  preferences_.values.hotKey = FormatShortcut(hotKey_.Key(), layout_);
  preferences_.values.pasteDelay = std::to_string(shared_.PasteDelayMs);
  ShowValues();
  if (beyondBounds) view_.delayBox.SetText(typedDelay);
  const WindowRect dialog = view_.form.Bounds();
  const Point offset = ScaleForDpi(settings_layout::kOkPointerOffset, view_.form.Dpi());
  pointer_.SetPointer({dialog.left + offset.x, dialog.top + offset.y});
}

void SettingsController::BitBtn1Click() {
  // A delay that would fail to apply is neither written nor applied; the dialog stays open.
  std::string delay = view_.delayBox.Text();
  if (const DelayReading reading = CorrectDelayText(delay); !reading.error.empty()) {
    view_.delayBox.SetText(delay);
    throw AppError(reading.error);
  }
  // One beyond the bounds stays in its box, to be corrected.
  if (std::string refusal = DelayBoundsRefusal(delay); !refusal.empty()) throw AppError(refusal);
  preferences_.CheckWritable();  // a file that could not be read is not overwritten
  TakeBoxes();
  preferences_.Save();
  preferences_.Apply();
  view_.form.CloseModal();
}

void SettingsController::BitBtn2Click() {
  preferences_.ReloadTexts();
  ShowValues();
  view_.form.CloseModal();
}

void SettingsController::RxLabel3MouseEnter() {
  view_.makerLabel.SetUnderlined(true);
}

void SettingsController::RxLabel3Click() {
  messages_.OpenMailLink(kMakerMailLink);
}

void SettingsController::SettingsClick() {
  mainWindow_.Hide();
  if (!view_.form.Visible()) ShowValues();  // a dialog already up keeps what is typed
  view_.form.ShowModal();
}

}  // namespace qv
