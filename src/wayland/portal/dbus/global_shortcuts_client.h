#pragma once
// The hot key through org.freedesktop.portal.GlobalShortcuts: one shortcut, offered with the
// Settings key as its preferred trigger; the desktop may let the user choose another, which
// Trigger() then names.
#include <functional>
#include <string>

#include "wayland/portal/dbus/portal_bus.h"

namespace qv::wayland {

class GlobalShortcutsClient : public PortalShortcut {
 public:
  GlobalShortcutsClient(PortalBus& bus, std::string id, std::string description,
                        PortalShortcutEvents events);
  ~GlobalShortcutsClient() override;
  GlobalShortcutsClient(const GlobalShortcutsClient&) = delete;
  GlobalShortcutsClient& operator=(const GlobalShortcutsClient&) = delete;

  void Bind(const std::string& preferredTrigger) override;
  PortalState State() const override { return state_; }
  std::string Trigger() const override { return trigger_; }

 private:
  void BindInSession(const std::string& preferredTrigger);
  void Learn(DBusMessageIter shortcuts);
  void SetState(PortalState state);

  PortalBus& bus_;
  std::string id_, description_;
  PortalShortcutEvents events_;
  PortalState state_ = PortalState::Asking;
  unsigned attempts_ = 0;  // Bind calls: the answers to an earlier one are stale
  std::string session_;
  std::string trigger_;
};

}  // namespace qv::wayland
