#pragma once
// The tray on Wayland: a StatusNotifierItem where a host runs (KDE, GNOME with AppIndicator,
// waybar and the other panels); where none does, the user is told once how to reach what
// its menu offers. Notices go where the user looks: the desktop's notifications, else a
// window of the dialog library.
#include <functional>
#include <memory>
#include <string>

#include "linux/app/program_dialogs.h"
#include "linux/base/poll_loop.h"
#include "linux/sni/tray_backend.h"
#include "tray/tray_menu.h"
#include "wayland/app/wl_tray.h"
#include "wayland/portal/portals.h"

namespace qv::wl {

class WlTrayHost {
 public:
  // `portals` may be null (no session bus).
  WlTrayHost(PollLoop& loop, WlTray& tray, ProgramDialogs& dialogs, wayland::Portals* portals,
             std::string title);
  // The item goes up where a host takes it; its menu's commands go to `chosen`.
  void Show(const std::function<void(TrayCommand)>& chosen);

 private:
  void ShowNoticeWindow(const std::string& text);

  PollLoop& loop_;
  WlTray& tray_;
  ProgramDialogs& dialogs_;
  std::string title_;
  std::unique_ptr<x11::TrayBackend> item_;
};

}  // namespace qv::wl
