#include "wayland/portal/dbus/portal_bus.h"

#include <algorithm>
#include <chrono>
#include <climits>

#include "linux/dbus/dbus_reader.h"

namespace qv::wayland {

namespace {

// A portal answers a call at once (the user's answer comes later, as a signal); a call left
// unanswered this long means a portal that hangs.
constexpr std::int64_t kCallTimeoutMs = 25000;

std::int64_t NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The caller's part of a request handle: its unique name without ':' and with '_' for '.'.
std::string SenderPart(const char* uniqueName) {
  std::string sender = uniqueName[0] == ':' ? uniqueName + 1 : uniqueName;
  std::replace(sender.begin(), sender.end(), '.', '_');
  return sender;
}

}  // namespace

std::unique_ptr<PortalBus> PortalBus::Connect(const std::string& address,
                                              const std::string& appId) {
  if (address.empty()) return nullptr;
  DBusError error;
  dbus_error_init(&error);
  DBusConnection* bus = dbus_connection_open_private(address.c_str(), &error);
  if (bus && !dbus_bus_register(bus, &error)) {
    dbus_connection_close(bus);
    dbus_connection_unref(bus);
    bus = nullptr;
  }
  dbus_error_free(&error);
  if (!bus) return nullptr;
  return std::unique_ptr<PortalBus>(new PortalBus(bus, appId));
}

PortalBus::PortalBus(DBusConnection* bus, const std::string& appId) : bus_(bus) {
  dbus_connection_set_exit_on_disconnect(bus_, FALSE);  // a lost bus must not end the program
  dbus_connection_add_filter(bus_, &PortalBus::OnMessage, this, nullptr);
  requestPrefix_ =
      std::string(kPortalPath) + "/request/" + SenderPart(dbus_bus_get_unique_name(bus_)) + "/";
  // Before any request is sent, so that no response can come before its subscription.
  const std::string match =
      "type='signal',interface='org.freedesktop.portal.Request',member='Response',"
      "path_namespace='" +
      requestPrefix_.substr(0, requestPrefix_.size() - 1) + "'";
  dbus_bus_add_match(bus_, match.c_str(), nullptr);
  // First of all calls, as the portal requires; an older portal refuses it, and goes on
  // without a name.
  if (!appId.empty())
    Call(
        nullptr, "org.freedesktop.host.portal.Registry", kPortalPath, "Register",
        [&](Writer& args) {
          args.String(appId);
          args.Container(DBUS_TYPE_ARRAY, "{sv}", [](Writer&) {});
        },
        nullptr);
}

PortalBus::~PortalBus() {
  dbus_connection_flush(bus_);
  dbus_connection_remove_filter(bus_, &PortalBus::OnMessage, this);
  dbus_connection_close(bus_);
  dbus_connection_unref(bus_);
}

std::string PortalBus::NewToken() {
  return "quorvanel" + std::to_string(++tokens_);
}

void PortalBus::Request(const void* owner, const char* interface, const char* method,
                        const Fill& args, const Fill& options, OnResponse done) {
  const std::string token = NewToken();
  const std::string handle = requestPrefix_ + token;
  requests_[handle] = Waiting{owner, std::move(done)};
  DBusMessage* call = dbus_message_new_method_call(kPortalService, kPortalPath, interface, method);
  DBusMessageIter at;
  dbus_message_iter_init_append(call, &at);
  Writer writer(&at);
  args(writer);
  writer.Container(DBUS_TYPE_ARRAY, "{sv}", [&](Writer& dict) {
    dict.Entry("handle_token", "s", [&](Writer& value) { value.String(token); });
    options(dict);
  });
  Send(call, owner, [this, handle](DBusMessage* reply) {
    auto waiting = requests_.find(handle);
    if (waiting == requests_.end()) return;
    DBusMessageIter at;
    const std::string actual = reply && dbus_message_iter_init(reply, &at) ? dbus::TextAt(&at) : "";
    if (actual.empty()) {
      OnResponse done = std::move(waiting->second.done);
      requests_.erase(waiting);
      done(PortalAnswer::CallFailed, nullptr);
    } else if (actual != handle) {  // portals before 0.9 chose the handle themselves
      Waiting moved = std::move(waiting->second);
      requests_.erase(waiting);
      requests_[actual] = std::move(moved);
    }
  });
}

void PortalBus::Call(const void* owner, const char* interface, const char* path, const char* method,
                     const Fill& args, std::function<void()> failed, const char* service) {
  DBusMessage* call = dbus_message_new_method_call(service, path, interface, method);
  DBusMessageIter at;
  dbus_message_iter_init_append(call, &at);
  Writer writer(&at);
  args(writer);
  Send(call, owner, [failed = std::move(failed)](DBusMessage* reply) {
    if (!reply && failed) failed();
  });
}

void PortalBus::CloseSession(const std::string& handle) {
  if (!handle.empty())
    Call(
        nullptr, kSessionInterface, handle.c_str(), "Close", [](Writer&) {}, nullptr);
}

void PortalBus::Subscribe(const void* owner, const char* interface, const char* member,
                          OnSignal handler) {
  const std::string match = std::string("type='signal',sender='") + kPortalService +
                            "',interface='" + interface + "',member='" + member + "'";
  dbus_bus_add_match(bus_, match.c_str(), nullptr);
  subscriptions_.push_back({owner, interface, member, std::move(handler)});
}

void PortalBus::Forget(const void* owner) {
  std::erase_if(calls_, [owner](const auto& call) { return call.second.owner == owner; });
  std::erase_if(requests_, [owner](const auto& request) { return request.second.owner == owner; });
  std::erase_if(subscriptions_, [owner](const auto& each) { return each.owner == owner; });
  std::erase_if(later_, [owner](const auto& work) { return work.first == owner; });
}

void PortalBus::Send(DBusMessage* message, const void* owner,
                     std::function<void(DBusMessage*)> reply) {
  dbus_uint32_t serial = 0;
  if (dbus_connection_send(bus_, message, &serial))
    calls_[serial] = PendingCall{owner, NowMs() + kCallTimeoutMs, std::move(reply)};
  else
    RunLater(owner, [reply = std::move(reply)] { reply(nullptr); });
  dbus_message_unref(message);
}

DBusHandlerResult PortalBus::OnMessage(DBusConnection*, DBusMessage* message, void* self) {
  return static_cast<PortalBus*>(self)->Handle(message);
}

DBusHandlerResult PortalBus::Handle(DBusMessage* message) {
  const int type = dbus_message_get_type(message);
  if (type == DBUS_MESSAGE_TYPE_METHOD_RETURN || type == DBUS_MESSAGE_TYPE_ERROR) {
    auto call = calls_.find(dbus_message_get_reply_serial(message));
    if (call == calls_.end()) return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    auto reply = std::move(call->second.reply);
    calls_.erase(call);
    reply(type == DBUS_MESSAGE_TYPE_ERROR ? nullptr : message);
    return DBUS_HANDLER_RESULT_HANDLED;
  }
  if (type != DBUS_MESSAGE_TYPE_SIGNAL) return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
  if (dbus_message_is_signal(message, DBUS_INTERFACE_LOCAL, "Disconnected")) {
    FailEverything();
    return DBUS_HANDLER_RESULT_HANDLED;
  }
  if (dbus_message_is_signal(message, "org.freedesktop.portal.Request", "Response")) {
    const char* path = dbus_message_get_path(message);
    auto waiting = requests_.find(path ? path : "");
    if (waiting == requests_.end()) return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
    OnResponse done = std::move(waiting->second.done);
    requests_.erase(waiting);
    DBusMessageIter at;
    dbus_uint32_t code = 2;
    if (dbus_message_iter_init(message, &at) &&
        dbus_message_iter_get_arg_type(&at) == DBUS_TYPE_UINT32) {
      dbus_message_iter_get_basic(&at, &code);
      dbus_message_iter_next(&at);
    }
    const PortalAnswer answer = code == 0   ? PortalAnswer::Granted
                                : code == 1 ? PortalAnswer::Cancelled
                                            : PortalAnswer::Ended;
    done(answer, answer == PortalAnswer::Granted ? &at : nullptr);
    return DBUS_HANDLER_RESULT_HANDLED;
  }
  // A handler may subscribe or forget: it works on a copy.
  std::vector<OnSignal> handlers;
  for (const Subscription& each : subscriptions_)
    if (dbus_message_is_signal(message, each.interface.c_str(), each.member.c_str()))
      handlers.push_back(each.handler);
  for (auto& handler : handlers) handler(message);
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

void PortalBus::FailEverything() {
  auto calls = std::move(calls_);
  auto requests = std::move(requests_);
  calls_.clear();
  requests_.clear();
  for (auto& [serial, call] : calls) call.reply(nullptr);
  for (auto& [handle, waiting] : requests) waiting.done(PortalAnswer::CallFailed, nullptr);
}

void PortalBus::ExpireCalls() {
  const std::int64_t now = NowMs();
  for (auto call = calls_.begin(); call != calls_.end();) {
    if (call->second.deadlineMs > now) {
      ++call;
      continue;
    }
    auto reply = std::move(call->second.reply);
    call = calls_.erase(call);
    reply(nullptr);
    call = calls_.begin();  // the handler may have changed the map
  }
}

void PortalBus::AddWaits(std::vector<pollfd>& fds, int& timeoutMs) {
  dbus_connection_read_write(bus_, 0);  // sends what is queued without waiting
  int fd = -1;
  if (!dbus_connection_get_unix_fd(bus_, &fd)) return;
  const short events = POLLIN | (dbus_connection_has_messages_to_send(bus_) ? POLLOUT : 0);
  fds.push_back({fd, events, 0});
  if (dbus_connection_get_dispatch_status(bus_) == DBUS_DISPATCH_DATA_REMAINS || !later_.empty()) {
    timeoutMs = 0;
    return;
  }
  const std::int64_t now = NowMs();
  for (const auto& [serial, call] : calls_) {
    const auto left = static_cast<int>(std::clamp<std::int64_t>(call.deadlineMs - now, 0, INT_MAX));
    if (timeoutMs < 0 || left < timeoutMs) timeoutMs = left;
  }
}

void PortalBus::Dispatch(const std::vector<pollfd>& fds) {
  int fd = -1;
  if (!dbus_connection_get_unix_fd(bus_, &fd)) return;
  for (const pollfd& polled : fds)
    if (polled.fd == fd && polled.revents != 0) dbus_connection_read_write(bus_, 0);
  while (dbus_connection_dispatch(bus_) == DBUS_DISPATCH_DATA_REMAINS) {
  }
  ExpireCalls();
  // One at a time: a handler may forget an owner whose work is still queued.
  while (!later_.empty()) {
    auto work = std::move(later_.front().second);
    later_.pop_front();
    work();
  }
}

}  // namespace qv::wayland
