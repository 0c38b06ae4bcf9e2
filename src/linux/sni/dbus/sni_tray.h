#pragma once
// The icon as a StatusNotifierItem on the session bus (KDE, GNOME with the AppIndicator
// extension, most Wayland panels), with its menu as com.canonical.dbusmenu.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "linux/sni/tray_backend.h"

// libdbus, which only the sources include.
struct DBusConnection;

namespace qv::x11 {

class SniTray : public TrayBackend {
 public:
  // Connects to the bus at `address`; null when it cannot or no watcher has a host.
  static std::unique_ptr<SniTray> WhereHostRegistered(const std::string& address, std::string title,
                                                      TrayEvents events);
  ~SniTray() override;
  SniTray(const SniTray&) = delete;
  SniTray& operator=(const SniTray&) = delete;

  bool Show(const std::vector<TrayPicture>& sizes, const std::string& tip) override;
  void SetTip(const std::string& tip) override;
  void Remove() override;
  bool HostRegistered() override;
  void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) override;
  void Dispatch(const std::vector<pollfd>& fds) override;

 private:
  SniTray(DBusConnection* bus, std::string title, TrayEvents events);
  friend struct SniMessages;  // the answers to the bus's calls and signals
  void Register();
  void Emit(const char* path, const char* interface, const char* member);
  void RunLater(std::function<void()> work) { later_.push_back(std::move(work)); }

  DBusConnection* bus_;
  std::string title_;
  TrayEvents events_;
  std::string serviceName_;
  std::vector<TrayPicture> pictures_;
  std::string tip_;
  bool shown_ = false;
  std::vector<std::function<void()>> later_;  // what handlers asked, run after dispatching
};

}  // namespace qv::x11
