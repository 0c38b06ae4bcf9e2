#pragma once
// The ways the Wayland front end types keys and binds its hot key, chosen by what the desktop
// offers: sway's IPC, then the GlobalShortcuts portal, for the key; the compositor's virtual
// keyboard, then the RemoteDesktop portal, for the paste's keys.
#include <memory>

#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "wayland/portal/portals_loader.h"
#include "wayland/services/sway_hot_key.h"
#include "wayland/services/virtual_keyboard_keys.h"

namespace qv::wl {

class ChosenKeys : public KeyInjection {
 public:
  // `portals` may be null.
  ChosenKeys(VirtualKeyboardKeys& keyboard, wayland::Portals* portals,
             const std::string& dataFolder);
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;
  // The keys go through the portal: the desktop, not the program, tells where they land.
  bool ThroughPortal() const { return portalKeys_ != nullptr; }
  bool CanType() const { return keyboard_.Available() || portalKeys_; }

 private:
  VirtualKeyboardKeys& keyboard_;
  std::unique_ptr<wayland::PortalKeyboard> portalKeyboard_;
  std::unique_ptr<wayland::PortalKeyInjection> portalKeys_;
};

class ChosenHotKey : public HotKeyRegistration {
 public:
  ChosenHotKey(SwayHotKey& sway, wayland::Portals* portals, std::function<void()> pressed);
  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;
  bool CanBind() const override;

 private:
  SwayHotKey& sway_;
  std::unique_ptr<wayland::PortalShortcut> shortcut_;
};

}  // namespace qv::wl
