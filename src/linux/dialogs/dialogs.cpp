#include "linux/dialogs/dialogs.h"

#include "editor/editor_layout.h"
#include "settings/settings_layout.h"

namespace qv::x11 {

namespace {
// The designed places; the plugin centres the settings dialog when it is first shown.
constexpr WindowRect kEditorDesigned = editor_layout::kWindow;
constexpr WindowRect kSettingsDesigned = settings_layout::kWindow;
}  // namespace

EditorDialog::EditorDialog(DialogLoader& loader, DialogHost& host, MenuControl& copyMenu)
    : loader_(loader),
      host_(host),
      copyMenu_(copyMenu),
      form_(
          kEditorDesigned, [this] { Make(); },
          [&host](const std::function<bool()>& done) { host.RunUntil(done); }) {}

void EditorDialog::Make() {
  if (form_.Made()) return;
  const EditorDialogControls real = loader_.Plugin().Editor(*this);
  title_.Attach(real.title);
  content_.Attach(real.content);
  updateClip_.Attach(real.updateClip);
  focus_.Attach(real.focus);
  form_.Attach(real.form);
}

void EditorDialog::LockForUpdate() {
  host_.RunHandler([this] {
    Make();
    if (controller_) controller_->LockForUpdate1Click();
  });
}

void EditorDialog::Handle(void (EditorController::*handler)()) {
  if (controller_) host_.RunHandler([this, handler] { (controller_->*handler)(); });
}

void EditorDialog::FormActivate() {
  Handle(&EditorController::FormActivate);
}
void EditorDialog::FieldMouseUp() {
  Handle(&EditorController::FieldMouseUp);
}
void EditorDialog::FieldChanged() {
  Handle(&EditorController::FieldChanged);
}
bool EditorDialog::KeyDown(EditorKey key, EditorField field) {
  bool used = key == EditorKey::Escape;  // also when Close failed and told so
  if (controller_) host_.RunHandler([&] { used = controller_->FormKeyDown(key, field); });
  return used;
}
void EditorDialog::ClearClick() {
  Handle(&EditorController::SpeedButton3Click);
}
void EditorDialog::UpdateClipClick() {
  Handle(&EditorController::SpeedButton2Click);
}
void EditorDialog::CloseClick() {
  Handle(&EditorController::SpeedButton1Click);
}
void EditorDialog::PasteFromClipboardClick() {
  Handle(&EditorController::PastefromClipboard1Click);
}

SettingsDialog::SettingsDialog(DialogLoader& loader, DialogHost& host)
    : loader_(loader),
      host_(host),
      form_(
          kSettingsDesigned, [this] { Make(); },
          [&host](const std::function<bool()>& done) { host.RunUntil(done); }) {}

void SettingsDialog::Make() {
  if (form_.Made()) return;
  const SettingsDialogControls real = loader_.Plugin().Settings(*this);
  hotKeyBox_.Attach(real.hotKeyBox);
  delayBox_.Attach(real.delayBox);
  makerLabel_.Attach(real.makerLabel);
  form_.Attach(real.form);
}

void SettingsDialog::Open(SettingsController& controller) {
  controller_ = &controller;
  host_.RunHandler([&] {
    Make();
    controller.SettingsClick();
  });
}

void SettingsDialog::Handle(void (SettingsController::*handler)()) {
  if (controller_) host_.RunHandler([this, handler] { (controller_->*handler)(); });
}

void SettingsDialog::FormActivate() {
  Handle(&SettingsController::FormActivate);
}
void SettingsDialog::OkClick() {
  Handle(&SettingsController::BitBtn1Click);
}
void SettingsDialog::CancelClick() {
  Handle(&SettingsController::BitBtn2Click);
}
void SettingsDialog::MakerLabelEnter() {
  Handle(&SettingsController::RxLabel3MouseEnter);
}
void SettingsDialog::MakerLabelClick() {
  Handle(&SettingsController::RxLabel3Click);
}

}  // namespace qv::x11
