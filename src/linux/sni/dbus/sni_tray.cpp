#include "linux/sni/dbus/sni_tray.h"

#include <dbus/dbus.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "linux/sni/dbus/sni_messages.h"
#include "linux/sni/dbus/sni_names.h"

namespace qv::x11 {

using namespace sni;

namespace {

constexpr int kCallTimeoutMs = 1000;

void SendAndForget(DBusConnection* bus, DBusMessage* message) {
  dbus_connection_send(bus, message, nullptr);
  dbus_message_unref(message);
}

}  // namespace

std::unique_ptr<SniTray> SniTray::WhereHostRegistered(const std::string& address, std::string title,
                                                      TrayEvents events) {
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
  std::unique_ptr<SniTray> tray(new SniTray(bus, std::move(title), std::move(events)));
  if (!tray->HostRegistered()) return nullptr;
  return tray;
}

SniTray::SniTray(DBusConnection* bus, std::string title, TrayEvents events)
    : bus_(bus), title_(std::move(title)), events_(std::move(events)) {
  dbus_connection_set_exit_on_disconnect(bus_, FALSE);  // a lost bus must not end the program
  serviceName_ = "org.kde.StatusNotifierItem-" + std::to_string(getpid()) + "-1";
  static const DBusObjectPathVTable item{nullptr, &SniMessages::OnItem, nullptr, nullptr, nullptr,
                                         nullptr};
  static const DBusObjectPathVTable menuTable{
      nullptr, &SniMessages::OnMenu, nullptr, nullptr, nullptr, nullptr};
  dbus_connection_register_object_path(bus_, kItemPath, &item, this);
  dbus_connection_register_object_path(bus_, kMenuPath, &menuTable, this);
  dbus_connection_add_filter(bus_, &SniMessages::OnSignal, this, nullptr);
  dbus_bus_add_match(bus_,
                     "type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',"
                     "arg0='org.kde.StatusNotifierWatcher'",
                     nullptr);
  dbus_bus_add_match(bus_, "type='signal',interface='org.kde.StatusNotifierWatcher'", nullptr);
}

SniTray::~SniTray() {
  Remove();
  dbus_connection_flush(bus_);
  dbus_connection_close(bus_);
  dbus_connection_unref(bus_);
}

bool SniTray::HostRegistered() {
  DBusMessage* call = dbus_message_new_method_call(kWatcher, kWatcherPath, kProperties, "Get");
  const char* interface = kWatcher;
  const char* property = "IsStatusNotifierHostRegistered";
  dbus_message_append_args(call, DBUS_TYPE_STRING, &interface, DBUS_TYPE_STRING, &property,
                           DBUS_TYPE_INVALID);
  DBusError error;
  dbus_error_init(&error);
  DBusMessage* reply =
      dbus_connection_send_with_reply_and_block(bus_, call, kCallTimeoutMs, &error);
  dbus_message_unref(call);
  dbus_error_free(&error);
  if (!reply) return false;
  bool registered = false;
  DBusMessageIter at, value;
  if (dbus_message_iter_init(reply, &at) &&
      dbus_message_iter_get_arg_type(&at) == DBUS_TYPE_VARIANT) {
    dbus_message_iter_recurse(&at, &value);
    if (dbus_message_iter_get_arg_type(&value) == DBUS_TYPE_BOOLEAN) {
      dbus_bool_t flag = FALSE;
      dbus_message_iter_get_basic(&value, &flag);
      registered = flag;
    }
  }
  dbus_message_unref(reply);
  return registered;
}

bool SniTray::Show(const std::vector<TrayPicture>& sizes, const std::string& tip) {
  pictures_ = sizes;
  tip_ = tip;
  if (shown_) {
    Emit(kItemPath, kItemInterface, "NewIcon");
    Emit(kItemPath, kItemInterface, "NewToolTip");
    return true;
  }
  const int owned =
      dbus_bus_request_name(bus_, serviceName_.c_str(), DBUS_NAME_FLAG_DO_NOT_QUEUE, nullptr);
  if (owned != DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER &&
      owned != DBUS_REQUEST_NAME_REPLY_ALREADY_OWNER)
    return false;
  shown_ = true;
  Register();
  return HostRegistered();
}

void SniTray::Register() {
  DBusMessage* call =
      dbus_message_new_method_call(kWatcher, kWatcherPath, kWatcher, "RegisterStatusNotifierItem");
  const char* name = serviceName_.c_str();
  dbus_message_append_args(call, DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID);
  dbus_message_set_no_reply(call, TRUE);
  SendAndForget(bus_, call);
  dbus_connection_flush(bus_);
}

void SniTray::SetTip(const std::string& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  if (shown_) Emit(kItemPath, kItemInterface, "NewToolTip");
}

void SniTray::Remove() {
  if (!shown_) return;
  shown_ = false;
  // The watcher drops the item when its name goes.
  dbus_bus_release_name(bus_, serviceName_.c_str(), nullptr);
  dbus_connection_flush(bus_);
}

void SniTray::Emit(const char* path, const char* interface, const char* member) {
  SendAndForget(bus_, dbus_message_new_signal(path, interface, member));
  dbus_connection_flush(bus_);
}

void SniTray::AddWaits(std::vector<pollfd>& fds, int& timeoutMs) {
  dbus_connection_read_write(bus_, 0);  // sends what is queued without waiting
  int fd = -1;
  if (!dbus_connection_get_unix_fd(bus_, &fd)) return;
  const short events = POLLIN | (dbus_connection_has_messages_to_send(bus_) ? POLLOUT : 0);
  fds.push_back({fd, events, 0});
  if (dbus_connection_get_dispatch_status(bus_) == DBUS_DISPATCH_DATA_REMAINS || !later_.empty())
    timeoutMs = 0;
}

void SniTray::Dispatch(const std::vector<pollfd>& fds) {
  int fd = -1;
  if (!dbus_connection_get_unix_fd(bus_, &fd)) return;
  for (const pollfd& polled : fds)
    if (polled.fd == fd && polled.revents != 0) dbus_connection_read_write(bus_, 0);
  while (dbus_connection_dispatch(bus_) == DBUS_DISPATCH_DATA_REMAINS) {
  }
  // Handlers may run their own loops, which dispatch again: libdbus may not be inside a
  // dispatch of this connection then.
  std::vector<std::function<void()>> work;
  work.swap(later_);
  for (auto& run : work) run();
}

DBusHandlerResult SniMessages::OnSignal(DBusConnection*, DBusMessage* message, void* data) {
  auto* self = static_cast<SniTray*>(data);
  if (dbus_message_is_signal(message, "org.freedesktop.DBus", "NameOwnerChanged")) {
    const char *name = "", *before = "", *after = "";
    if (dbus_message_get_args(message, nullptr, DBUS_TYPE_STRING, &name, DBUS_TYPE_STRING, &before,
                              DBUS_TYPE_STRING, &after, DBUS_TYPE_INVALID) &&
        std::strcmp(name, kWatcher) == 0) {
      if (*after && self->shown_) self->Register();  // a new watcher: tell it of the item
      self->RunLater([self] {
        if (self->events_.hostChanged) self->events_.hostChanged();
      });
    }
  } else if (dbus_message_is_signal(message, kWatcher, "StatusNotifierHostRegistered") ||
             dbus_message_is_signal(message, kWatcher, "StatusNotifierHostUnregistered")) {
    self->RunLater([self] {
      if (self->events_.hostChanged) self->events_.hostChanged();
    });
  }
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

}  // namespace qv::x11

extern "C" __attribute__((visibility("default"))) qv::x11::TrayBackend* qv_create_sni_tray(
    int version, const std::string& busAddress, const std::string& title,
    const qv::x11::TrayEvents& events) {
  if (version != qv::x11::kSniTrayVersion) return nullptr;
  try {
    return qv::x11::SniTray::WhereHostRegistered(busAddress, title, events).release();
  } catch (const std::exception&) {
    return nullptr;
  }
}
