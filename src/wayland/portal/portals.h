#pragma once
// The desktop portals the Wayland front end uses: GlobalShortcuts for the hot key (KDE Plasma,
// GNOME 48 and later) and RemoteDesktop for the paste's keys (KDE Plasma, GNOME). They live in
// libquorvanel-portals.so (libdbus), loaded beside the program only where a session bus runs,
// as the tray's StatusNotifierItem is, so that the program elsewhere maps no D-Bus library.
// Every answer may wait minutes for the user: nothing here blocks; what changes is told
// through the callbacks, which run from Dispatch after the bus is served, so they may run
// loops of their own.
#include <poll.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::wayland {

// Where a portal client stands: still asking (the desktop may be waiting for the user),
// working, no such portal here (the fallbacks serve), or the user said no.
enum class PortalState { Asking, Working, Unavailable, Refused };

// One global shortcut.
class PortalShortcut {
 public:
  virtual ~PortalShortcut() = default;
  // Binds the shortcut in a new session, with `preferredTrigger` in the portal's syntax
  // (PortalTrigger; "" lets the desktop ask). A desktop keeps a key the user chose before.
  virtual void Bind(const std::string& preferredTrigger) = 0;
  virtual PortalState State() const = 0;
  // The key the user chose, as the desktop describes it; "" while not known.
  virtual std::string Trigger() const = 0;
};

struct PortalShortcutEvents {
  std::function<void()> activated;     // the user pressed the shortcut
  std::function<void()> stateChanged;  // State() or Trigger() changed
};

// A keyboard the desktop lets the program type on, after the user's consent.
class PortalKeyboard {
 public:
  virtual ~PortalKeyboard() = default;
  // Opens a session for the keyboard: the desktop asks the user unless the kept restore token
  // still holds. Again after a refusal or a lost session, it asks again.
  virtual void Start() = 0;
  virtual PortalState State() const = 0;
  // Evdev codes, each pressed (true) or released, in order; false when not working.
  virtual bool SendKeycodes(const std::vector<std::pair<unsigned, bool>>& keys) = 0;
};

// The connection to the portals; it outlives the clients it makes.
class Portals {
 public:
  virtual ~Portals() = default;
  // `id` names the shortcut to the desktop ("show-list"), `description` says what it does.
  virtual std::unique_ptr<PortalShortcut> Shortcut(const std::string& id,
                                                   const std::string& description,
                                                   PortalShortcutEvents events) = 0;
  // The restore token is kept at `tokenPath` (PortalTokenPath), written by rename.
  // `stateChanged` runs when State() changes.
  virtual std::unique_ptr<PortalKeyboard> Keyboard(const std::string& tokenPath,
                                                   std::function<void()> stateChanged) = 0;
  // A desktop notification (org.freedesktop.Notifications, on the same bus); `failed` runs
  // from Dispatch when no notification service takes it.
  virtual void Notify(const std::string& appName, const std::string& summary,
                      const std::string& body, std::function<void()> failed) = 0;
  // The event loop, as the tray's: AddWaits before the poll, one Dispatch after it.
  virtual void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) = 0;
  virtual void Dispatch(const std::vector<pollfd>& fds) = 0;
};

inline constexpr int kPortalsVersion = 2;
inline constexpr const char* kPortalsLibraryName = "libquorvanel-portals.so";
inline constexpr const char* kPortalsFactoryName = "qv_create_portals";
// Connects to the bus at `busAddress`, naming the program `appId` to portals that ask (the
// basename of its .desktop file); null when it cannot, or for another `version`. The caller
// deletes it.
using PortalsFactory = Portals* (*)(int version, const std::string& busAddress,
                                    const std::string& appId);

}  // namespace qv::wayland

extern "C" qv::wayland::Portals* qv_create_portals(int version, const std::string& busAddress,
                                                   const std::string& appId);
