#pragma once
// The portals, loaded where a session bus runs, and what the program builds on them.
#include <memory>
#include <string>

#include "desktop/desktop_services.h"
#include "linux/base/poll_loop.h"
#include "wayland/portal/portals.h"

namespace qv::wayland {

// The desktop portals (KDE, GNOME): the hot key, and the keys where the compositor offers no
// way of its own. Null where no session bus runs or libquorvanel-portals.so is not beside the
// program.
std::unique_ptr<Portals> LoadPortals(const std::string& appId);
// The same, their bus served by `loop`.
std::unique_ptr<Portals> PortalsOnLoop(PollLoop& loop, const std::string& appId);

// The restore token's file beside the data files (`dataFolder` ends in '/'): one per
// machine, as the data folder may be synced between machines and a token holds only on the
// desktop that gave it.
std::string PortalTokenPath(const std::string& dataFolder);

// The paste's keys on the portal's keyboard.
class PortalKeyInjection : public KeyInjection {
 public:
  explicit PortalKeyInjection(PortalKeyboard& keyboard) : keyboard_(keyboard) {}
  // All or none: the keys go out as one batch, or none while the keyboard is not working.
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;

 private:
  PortalKeyboard& keyboard_;
};

}  // namespace qv::wayland
