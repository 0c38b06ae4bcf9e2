#pragma once
// Where the tray icon lives: a StatusNotifierItem where such a host runs (KDE, GNOME with
// AppIndicator, most Wayland panels), with the same menu and tip; the XEmbed tray elsewhere,
// or once that host has gone.
#include <functional>
#include <memory>
#include <string>

#include "linux/sni/tray_backend.h"
#include "tray/tray_menu.h"
#include "x11/base/event_loop.h"
#include "x11/services/x_tray_icon.h"

namespace qv {

class TrayHosts {
 public:
  // Without a session bus there is no StatusNotifierItem host: the icon docks into the XEmbed
  // tray at once, while the program starts.
  TrayHosts(EventLoop& loop, XTrayIcon& tray, std::string title);
  // The icon goes up where a host takes it; its menu's commands go to `chosen`.
  void Show(std::function<void(TrayCommand)> chosen);

 private:
  void HostChanged();

  EventLoop& loop_;
  XTrayIcon& tray_;
  std::string title_;
  bool dockedEarly_;
  std::unique_ptr<x11::TrayBackend> sni_;
};

}  // namespace qv
