#pragma once
// The settings and editor dialogs, the list's copy menu's items, and their share of the event
// loop (the dialog library's waits); the tray menu's commands open them through TrayDialogs.
#include "app/program.h"
#include "linux/base/poll_loop.h"
#include "linux/dialogs/dialog_loader.h"
#include "linux/dialogs/dialogs.h"
#include "linux/kit/copy_menu.h"
#include "tray/tray_menu.h"

namespace qv {

class ProgramDialogs : public TrayDialogs {
 public:
  ProgramDialogs(PollLoop& loop, CopyMenu& copyMenu);
  SettingsView Settings() { return settings_.View(); }
  EditorView Editor() { return editor_.View(); }
  // The dialogs' and the copy menu's events go to `program`'s handlers.
  void Bind(Program& program);

  void OpenSettings() override;
  void OpenEditor() override { editor_.LockForUpdate(); }
  // Runs once, when the dialog library has been loaded (before its first wait).
  std::function<void()> onLibraryLoaded;

  // The dialog library's message box, waited for in the loop, and its notice (the Wayland
  // front end's); both throw AppError when the library cannot load.
  MessageAnswer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons);
  void ShowNotice(const std::string& caption, const std::string& text);

 private:
  // Handlers run as every handler runs; the loop nests while a dialog is modal.
  class LoopHost : public x11::DialogHost {
   public:
    explicit LoopHost(PollLoop& loop) : loop_(loop) {}
    void RunHandler(const std::function<void()>& handler) noexcept override;
    void RunUntil(const std::function<bool()>& done) override { loop_.RunUntil(done); }

   private:
    PollLoop& loop_;
  };

  x11::DialogLoader loader_;
  LoopHost host_;
  CopyMenu& copyMenu_;
  x11::SettingsDialog settings_;
  x11::EditorDialog editor_;
  Program* program_ = nullptr;
  bool libraryLoadedTold_ = false;
};

}  // namespace qv
