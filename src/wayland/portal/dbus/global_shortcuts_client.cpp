#include "wayland/portal/dbus/global_shortcuts_client.h"

#include <optional>

#include "linux/dbus/dbus_reader.h"

namespace qv::wayland {

namespace {

constexpr const char* kInterface = "org.freedesktop.portal.GlobalShortcuts";
using Writer = PortalBus::Writer;

// The trigger of shortcut `id` in an a(sa{sv}) list; none when the list lacks it (the user
// bound it to nothing).
std::optional<std::string> TriggerIn(DBusMessageIter list, const std::string& id) {
  if (dbus_message_iter_get_arg_type(&list) != DBUS_TYPE_ARRAY) return std::nullopt;
  DBusMessageIter shortcut;
  for (dbus_message_iter_recurse(&list, &shortcut);
       dbus_message_iter_get_arg_type(&shortcut) == DBUS_TYPE_STRUCT;
       dbus_message_iter_next(&shortcut)) {
    DBusMessageIter field;
    dbus_message_iter_recurse(&shortcut, &field);
    if (dbus::TextAt(&field) != id || !dbus_message_iter_next(&field)) continue;
    return dbus::StringEntry(field, "trigger_description").value_or("");
  }
  return std::nullopt;
}

// The session a signal is about: its first argument.
std::string SessionOf(DBusMessage* signal, DBusMessageIter* at) {
  return dbus_message_iter_init(signal, at) ? dbus::TextAt(at) : "";
}

}  // namespace

GlobalShortcutsClient::GlobalShortcutsClient(PortalBus& bus, std::string id,
                                             std::string description, PortalShortcutEvents events)
    : bus_(bus),
      id_(std::move(id)),
      description_(std::move(description)),
      events_(std::move(events)) {
  bus_.Subscribe(this, kInterface, "Activated", [this](DBusMessage* signal) {
    DBusMessageIter at;
    if (session_.empty() || SessionOf(signal, &at) != session_ || !dbus_message_iter_next(&at) ||
        dbus::TextAt(&at) != id_)
      return;
    bus_.RunLater(this, [this] {
      if (events_.activated) events_.activated();
    });
  });
  bus_.Subscribe(this, kInterface, "ShortcutsChanged", [this](DBusMessage* signal) {
    DBusMessageIter at;
    if (!session_.empty() && SessionOf(signal, &at) == session_ && dbus_message_iter_next(&at))
      Learn(at);
  });
  bus_.Subscribe(this, kSessionInterface, "Closed", [this](DBusMessage* signal) {
    const char* path = dbus_message_get_path(signal);
    if (session_.empty() || !path || session_ != path) return;
    session_.clear();  // the desktop ended it: the shortcut calls nothing up any more
    SetState(PortalState::Unavailable);
  });
}

GlobalShortcutsClient::~GlobalShortcutsClient() {
  bus_.Forget(this);
  bus_.CloseSession(session_);
}

void GlobalShortcutsClient::Bind(const std::string& preferredTrigger) {
  bus_.CloseSession(session_);  // a session binds its shortcuts once
  session_.clear();
  SetState(PortalState::Asking);
  const std::string sessionToken = bus_.NewToken();
  const unsigned attempt = ++attempts_;
  bus_.Request(
      this, kInterface, "CreateSession", [](Writer&) {},
      [&](Writer& options) {
        options.Entry("session_handle_token", "s", [&](Writer& v) { v.String(sessionToken); });
      },
      [this, preferredTrigger, attempt](PortalAnswer answer, DBusMessageIter* results) {
        const std::string session =
            results ? dbus::StringEntry(*results, "session_handle").value_or("") : "";
        if (attempt != attempts_) return bus_.CloseSession(session);  // a later Bind took over
        session_ = session;
        if (!session_.empty()) return BindInSession(preferredTrigger);
        SetState(answer == PortalAnswer::Cancelled ? PortalState::Refused
                                                   : PortalState::Unavailable);
      });
}

void GlobalShortcutsClient::BindInSession(const std::string& preferredTrigger) {
  const auto shortcuts = [&](Writer& args) {
    args.ObjectPath(session_.c_str());
    args.Container(DBUS_TYPE_ARRAY, "(sa{sv})", [&](Writer& list) {
      list.Struct([&](Writer& shortcut) {
        shortcut.String(id_);
        shortcut.Container(DBUS_TYPE_ARRAY, "{sv}", [&](Writer& info) {
          info.Entry("description", "s", [&](Writer& v) { v.String(description_); });
          if (!preferredTrigger.empty())
            info.Entry("preferred_trigger", "s", [&](Writer& v) { v.String(preferredTrigger); });
        });
      });
    });
    args.String("");  // no parent window: the list is hidden while the program starts
  };
  bus_.Request(
      this, kInterface, "BindShortcuts", shortcuts, [](Writer&) {},
      [this, session = session_](PortalAnswer answer, DBusMessageIter* results) {
        DBusMessageIter list;
        if (session != session_) return;
        if (answer == PortalAnswer::Granted && dbus::FindEntry(*results, "shortcuts", &list))
          return Learn(list);
        SetState(answer == PortalAnswer::Cancelled || answer == PortalAnswer::Granted
                     ? PortalState::Refused
                     : PortalState::Unavailable);
      });
}

void GlobalShortcutsClient::Learn(DBusMessageIter shortcuts) {
  const std::optional<std::string> trigger = TriggerIn(shortcuts, id_);
  trigger_ = trigger.value_or("");
  if (trigger_.empty() && trigger && state_ != PortalState::Working) {
    // Some desktops name the key only when asked.
    bus_.Request(
        this, kInterface, "ListShortcuts",
        [this](Writer& args) { args.ObjectPath(session_.c_str()); }, [](Writer&) {},
        [this, session = session_](PortalAnswer answer, DBusMessageIter* results) {
          DBusMessageIter list;
          if (session != session_) return;
          if (answer == PortalAnswer::Granted && dbus::FindEntry(*results, "shortcuts", &list))
            trigger_ = TriggerIn(list, id_).value_or("");
          SetState(PortalState::Working);
        });
  }
  SetState(trigger ? PortalState::Working : PortalState::Refused);
}

// Told even when the state stays: the trigger may have changed.
void GlobalShortcutsClient::SetState(PortalState state) {
  state_ = state;
  bus_.RunLater(this, [this] {
    if (events_.stateChanged) events_.stateChanged();
  });
}

}  // namespace qv::wayland
