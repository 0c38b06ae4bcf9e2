#pragma once
// The settings and editor dialogs, the list's copy menu, and their share of the event loop
// (the dialog library's waits); the tray menu's commands open them through TrayDialogs.
#include "app/program.h"
#include "tray/tray_menu.h"
#include "x11/app/list_copy_menu.h"
#include "x11/base/event_loop.h"
#include "x11/dialogs/dialog_loader.h"
#include "x11/dialogs/dialogs.h"

namespace qv {

class ProgramDialogs : public TrayDialogs {
 public:
  explicit ProgramDialogs(EventLoop& loop);
  SettingsView Settings() { return settings_.View(); }
  EditorView Editor() { return editor_.View(); }
  // The dialogs' and the copy menu's events go to `program`'s handlers.
  void Bind(Program& program);

  void OpenSettings() override;
  void OpenEditor() override { editor_.LockForUpdate(); }

  // The dialog library's message box, waited for in the loop, and its notice (the Wayland
  // front end's); both throw AppError when the library cannot load.
  MessageAnswer ShowMessage(MessageKind kind, const std::string& text, MessageButtons buttons);
  void ShowNotice(const std::string& caption, const std::string& text);

 private:
  // Handlers run as every handler runs; the loop nests while a dialog is modal.
  class LoopHost : public x11::DialogHost {
   public:
    explicit LoopHost(EventLoop& loop) : loop_(loop) {}
    void RunHandler(const std::function<void()>& handler) noexcept override;
    void RunUntil(const std::function<bool()>& done) override { loop_.RunUntil(done); }

   private:
    EventLoop& loop_;
  };

  x11::DialogLoader loader_;
  LoopHost host_;
  ListCopyMenu copyMenu_;
  x11::SettingsDialog settings_;
  x11::EditorDialog editor_;
  Program* program_ = nullptr;
  bool ioHandlerReclaimed_ = false;
};

}  // namespace qv
