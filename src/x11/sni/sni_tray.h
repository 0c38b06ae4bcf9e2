#pragma once
// The icon as a StatusNotifierItem on the session bus (KDE, GNOME with the AppIndicator
// extension, most Wayland panels), with its menu as com.canonical.dbusmenu. Used where a
// StatusNotifierWatcher says a host is registered; elsewhere the XEmbed tray is.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "x11/sni/tray_backend.h"

// libdbus, which only the sources include.
struct DBusConnection;

namespace qv::x11 {

class SniTray : public TrayBackend {
 public:
  // Connects to the session bus; null when there is none, or when no watcher has a host
  // registered (the XEmbed tray is then the one to use).
  static std::unique_ptr<SniTray> WhereHostRegistered(std::string title,
                                                      std::vector<TrayCommand> menu);
  ~SniTray() override;
  SniTray(const SniTray&) = delete;
  SniTray& operator=(const SniTray&) = delete;

  bool Show(const std::vector<TrayPicture>& sizes, const std::string& tip) override;
  void SetTip(const std::string& tip) override;
  void Remove() override;
  void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) override;
  void Dispatch(const std::vector<pollfd>& fds) override;

  // Called (outside any dispatch) when a watcher appears, goes, or a host registers: the
  // program may move the icon between here and the XEmbed tray. The icon, when shown, has
  // been registered with a new watcher already.
  std::function<void()> onHostChange;
  // A host that draws no dbusmenu asks for the menu at (x, y), screen pixels.
  std::function<void(int x, int y)> onContextMenu;

  // Whether a watcher has a host registered now (a call on the bus).
  bool HostRegistered();

 private:
  SniTray(DBusConnection* bus, std::string title, std::vector<TrayCommand> menu);
  friend struct SniMessages;  // the answers to the bus's calls and signals
  void Register();
  void Emit(const char* path, const char* interface, const char* member);
  void RunLater(std::function<void()> work) { later_.push_back(std::move(work)); }

  DBusConnection* bus_;
  std::string title_;
  std::vector<TrayCommand> menu_;
  std::string serviceName_;
  std::vector<TrayPicture> pictures_;
  std::string tip_;
  bool shown_ = false;
  std::vector<std::function<void()>> later_;  // what handlers asked, run after dispatching
};

}  // namespace qv::x11
