#pragma once
// The paste's keys through the desktop's RemoteDesktop portal (KDE Plasma, GNOME): the user
// consents once; the restore token the desktop hands back is kept beside the data files, so
// that later starts ask no more.
#include <functional>
#include <string>

#include "desktop/desktop_services.h"
#include "wayland/portal/portal_bus.h"

namespace qv::wayland {

class PortalKeyboard : public KeyInjection {
 public:
  // `dataFolder` ends in '/'. `stateChanged` runs when State() changes.
  PortalKeyboard(PortalBus& bus, const std::string& dataFolder, std::function<void()> stateChanged);
  ~PortalKeyboard() override;
  PortalKeyboard(const PortalKeyboard&) = delete;
  PortalKeyboard& operator=(const PortalKeyboard&) = delete;

  // Opens a session for the keyboard: the desktop asks the user unless the kept token still
  // holds. Again after a refusal or a lost session, it asks again.
  void Start();
  PortalState State() const { return state_; }
  // Each key as its evdev code, in order, on the started session; none while it is not
  // working.
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;

  const std::string& TokenPath() const { return tokenPath_; }

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

// The restore token's file: per machine, as the data folder may be synced between machines
// and a token holds only on the desktop that gave it.
std::string PortalTokenPath(const std::string& dataFolder);

}  // namespace qv::wayland
