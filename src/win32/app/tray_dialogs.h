#pragma once
// The dialogs the tray menu's commands open, handed to the program.
#include "app/program.h"
#include "tray/tray_menu.h"
#include "win32/editor/editor_dialog.h"
#include "win32/settings/settings_dialog.h"

namespace qv {

class Win32TrayDialogs : public TrayDialogs {
 public:
  Win32TrayDialogs(Program& program, SettingsDialog& settings, EditorDialog& editor)
      : program_(program), settings_(settings), editor_(editor) {}
  void OpenSettings() override { settings_.Open(program_.settings); }
  void OpenEditor() override { editor_.Open(program_.editor); }

 private:
  Program& program_;
  SettingsDialog& settings_;
  EditorDialog& editor_;
};

}  // namespace qv
