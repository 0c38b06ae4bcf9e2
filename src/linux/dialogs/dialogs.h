#pragma once
// The program's side of the editor and settings dialogs: their controls for the core's
// controllers from start-up on, the plugin loaded when one of them first opens, and the
// user's actions turned into the controllers' handlers.
#include <functional>

#include "editor/editor_controller.h"
#include "editor/editor_controls.h"
#include "linux/dialogs/dialog_loader.h"
#include "linux/dialogs/held_controls.h"
#include "settings/settings_controller.h"
#include "settings/settings_controls.h"

namespace qv::x11 {

// What the dialogs need of the program's event loop.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Runs one handler; an error ends it and is reported in the standard error box.
  virtual void RunHandler(const std::function<void()>& handler) noexcept = 0;
  // Runs the program's event loop, the plugin's waits included, until `done` is true.
  virtual void RunUntil(const std::function<bool()>& done) = 0;
};

class EditorDialog : public EditorEvents {
 public:
  // `copyMenu`: "Copy Clip" and "Paste Clip" on the list, the program's own.
  EditorDialog(DialogLoader& loader, DialogHost& host, MenuControl& copyMenu);
  EditorView View() { return {form_, title_, content_, updateClip_, copyMenu_, focus_}; }
  void Bind(EditorController& controller) { controller_ = &controller; }
  // Tray menu "Lock and Add Clip": the dialog is made first, so that when it cannot be the
  // lock stays off and the user is told.
  void LockForUpdate();

 private:
  void Make();
  void FormActivate() override;
  void FieldMouseUp() override;
  void FieldChanged() override;
  bool KeyDown(EditorKey key, EditorField field) override;
  void ClearClick() override;
  void UpdateClipClick() override;
  void CloseClick() override;
  void PasteFromClipboardClick() override;
  void Handle(void (EditorController::*handler)());

  DialogLoader& loader_;
  DialogHost& host_;
  MenuControl& copyMenu_;
  EditorController* controller_ = nullptr;
  HeldForm form_;
  HeldText title_{false};
  HeldMemo content_{false};
  HeldButton updateClip_{false};
  HeldFocus focus_;
};

class SettingsDialog : public SettingsEvents {
 public:
  SettingsDialog(DialogLoader& loader, DialogHost& host);
  SettingsView View() { return {form_, hotKeyBox_, delayBox_, makerLabel_}; }
  // Tray menu "Settings...": made when first shown, then shown modally by `controller`;
  // returns when it has closed. An error is reported in the standard box.
  void Open(SettingsController& controller);

 private:
  void Make();
  void FormActivate() override;
  void OkClick() override;
  void CancelClick() override;
  void MakerLabelEnter() override;
  void MakerLabelClick() override;
  void Handle(void (SettingsController::*handler)());

  DialogLoader& loader_;
  DialogHost& host_;
  SettingsController* controller_ = nullptr;
  HeldForm form_;
  HeldText hotKeyBox_;
  HeldText delayBox_;
  HeldLabel makerLabel_;
};

}  // namespace qv::x11
