#pragma once
// The hot key through the desktop's GlobalShortcuts portal (KDE Plasma, GNOME 48 and later):
// one shortcut, offered with the Settings key as its preferred trigger; the desktop may let
// the user choose another, which Trigger() then names.
#include <functional>
#include <string>

#include "wayland/portal/portal_bus.h"

namespace qv::wayland {

class PortalShortcuts {
 public:
  struct Events {
    std::function<void()> activated;     // the user pressed the shortcut
    std::function<void()> stateChanged;  // State() or Trigger() changed
  };
  // `id` names the shortcut to the desktop ("show-list"), `description` says what it does.
  PortalShortcuts(PortalBus& bus, std::string id, std::string description, Events events);
  ~PortalShortcuts();
  PortalShortcuts(const PortalShortcuts&) = delete;
  PortalShortcuts& operator=(const PortalShortcuts&) = delete;

  // Binds the shortcut in a new session, with `preferredTrigger` in the portal's syntax
  // (PortalTrigger; "" lets the desktop ask). A desktop keeps a key the user chose before.
  void Bind(const std::string& preferredTrigger);
  PortalState State() const { return state_; }
  // The key the user chose, as the desktop describes it; "" while not known.
  const std::string& Trigger() const { return trigger_; }

 private:
  void BindInSession(const std::string& preferredTrigger);
  void Learn(DBusMessageIter shortcuts);
  void SetState(PortalState state);

  PortalBus& bus_;
  std::string id_, description_;
  Events events_;
  PortalState state_ = PortalState::Asking;
  unsigned attempts_ = 0;  // Bind calls: the answers to an earlier one are stale
  std::string session_;
  std::string trigger_;
};

}  // namespace qv::wayland
