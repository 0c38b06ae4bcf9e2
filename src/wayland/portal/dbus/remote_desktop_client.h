#pragma once
// The paste's keys through org.freedesktop.portal.RemoteDesktop: the user consents once; the
// restore token the desktop hands back is kept in a file, so that later starts ask no more.
#include <functional>
#include <string>

#include "wayland/portal/dbus/portal_bus.h"

namespace qv::wayland {

class RemoteDesktopClient : public PortalKeyboard {
 public:
  RemoteDesktopClient(PortalBus& bus, std::string tokenPath, std::function<void()> stateChanged);
  ~RemoteDesktopClient() override;
  RemoteDesktopClient(const RemoteDesktopClient&) = delete;
  RemoteDesktopClient& operator=(const RemoteDesktopClient&) = delete;

  void Start() override;
  PortalState State() const override { return state_; }
  bool SendKeycodes(const std::vector<std::pair<unsigned, bool>>& keys) override;

 private:
  void SelectDevices();
  void StartSession();
  void SetState(PortalState state);
  void CloseSession();

  PortalBus& bus_;
  std::string tokenPath_;
  std::function<void()> stateChanged_;
  PortalState state_ = PortalState::Asking;
  unsigned attempts_ = 0;  // Start calls: the answers to an earlier one are stale
  std::string session_;
};

}  // namespace qv::wayland
