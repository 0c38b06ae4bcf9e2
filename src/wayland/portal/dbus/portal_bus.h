#pragma once
// The session bus as the desktop portals' clients use it: requests whose answer comes later as
// a Response signal (the portal may wait minutes for the user's consent), plain calls, and
// signals, all served from the program's poll loop without ever blocking it.
#include <dbus/dbus.h>
#include <poll.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "linux/dbus/dbus_writer.h"
#include "wayland/portal/portals.h"

namespace qv::wayland {

inline constexpr const char* kPortalService = "org.freedesktop.portal.Desktop";
inline constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";

// How a request ended: the portal's response (0 granted, 1 cancelled by the user, 2 ended
// otherwise), or the call itself failed (no portal, no such interface, no answer in time).
enum class PortalAnswer { Granted, Cancelled, Ended, CallFailed };

inline constexpr const char* kSessionInterface = "org.freedesktop.portal.Session";

class PortalBus {
 public:
  using Writer = dbus::DBusWriter;
  using Fill = std::function<void(Writer&)>;
  // `results`: the response's a{sv} when granted, else null.
  using OnResponse = std::function<void(PortalAnswer answer, DBusMessageIter* results)>;
  using OnSignal = std::function<void(DBusMessage* signal)>;

  // Connects to the bus at `address`; null when there is none. Portals name a program that
  // runs outside a sandbox by `appId`, the basename of its .desktop file (a reverse-DNS name,
  // "org.quorvanel.Clips"); portals without that registry go without. The bus outlives its clients.
  static std::unique_ptr<PortalBus> Connect(const std::string& address, const std::string& appId);
  ~PortalBus();
  PortalBus(const PortalBus&) = delete;
  PortalBus& operator=(const PortalBus&) = delete;

  // Calls `method` of the portal's `interface`: `args` writes the arguments before the
  // options, `options` the entries of the options a{sv} after the handle token. `owner` tags
  // the wait so that Forget can drop it.
  void Request(const void* owner, const char* interface, const char* method, const Fill& args,
               const Fill& options, OnResponse done);
  // A call whose reply is not read, to the portal or to `service`; `failed` runs when it fails.
  void Call(const void* owner, const char* interface, const char* path, const char* method,
            const Fill& args, std::function<void()> failed, const char* service = kPortalService);
  // Ends a portal session; "" is none.
  void CloseSession(const std::string& handle);
  void Subscribe(const void* owner, const char* interface, const char* member, OnSignal handler);
  // Drops every wait and subscription of `owner` (when it goes).
  void Forget(const void* owner);
  // Runs `work` after the current dispatch, outside libdbus: what the front end is told may
  // run loops of its own.
  void RunLater(const void* owner, std::function<void()> work) {
    later_.push_back({owner, std::move(work)});
  }
  // A fresh token for a handle ("quorvanel7"), valid as an object path element.
  std::string NewToken();

  // The poll loop: AddWaits before the poll, one Dispatch after it.
  void AddWaits(std::vector<pollfd>& fds, int& timeoutMs);
  void Dispatch(const std::vector<pollfd>& fds);

 private:
  PortalBus(DBusConnection* bus, const std::string& appId);
  static DBusHandlerResult OnMessage(DBusConnection*, DBusMessage* message, void* self);
  DBusHandlerResult Handle(DBusMessage* message);
  void Send(DBusMessage* message, const void* owner, std::function<void(DBusMessage*)> reply);
  void ExpireCalls();
  void FailEverything();

  struct PendingCall {
    const void* owner;
    std::int64_t deadlineMs;
    std::function<void(DBusMessage* reply)> reply;  // null reply: failed or timed out
  };
  struct Waiting {
    const void* owner;
    OnResponse done;
  };
  struct Subscription {
    const void* owner;
    std::string interface, member;
    OnSignal handler;
  };

  DBusConnection* bus_;
  std::string requestPrefix_;  // /org/freedesktop/portal/desktop/request/SENDER/
  unsigned tokens_ = 0;
  std::map<dbus_uint32_t, PendingCall> calls_;  // by serial
  std::map<std::string, Waiting> requests_;     // by request handle
  std::vector<Subscription> subscriptions_;
  std::deque<std::pair<const void*, std::function<void()>>> later_;
};

}  // namespace qv::wayland
