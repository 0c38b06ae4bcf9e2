#include "wayland/portal/dbus/remote_desktop_client.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "linux/dbus/dbus_reader.h"

namespace qv::wayland {

namespace {

constexpr const char* kInterface = "org.freedesktop.portal.RemoteDesktop";
constexpr std::uint32_t kKeyboardDevice = 1;
constexpr std::uint32_t kPersistUntilRevoked = 2;
using Writer = PortalBus::Writer;

std::string ReadToken(const std::string& path) {
  std::ifstream file(path);
  std::string token;
  std::getline(file, token);
  return token;
}

// Written beside and renamed over, so that a crash leaves the old token or the new one.
void WriteToken(const std::string& path, const std::string& token) {
  const std::string fresh = path + ".new";
  const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const std::string line = token + "\n";
  const bool written =
      write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size()) && fsync(fd) == 0;
  close(fd);
  if (!written || std::rename(fresh.c_str(), path.c_str()) != 0) unlink(fresh.c_str());
}

}  // namespace

RemoteDesktopClient::RemoteDesktopClient(PortalBus& bus, std::string tokenPath,
                                         std::function<void()> stateChanged)
    : bus_(bus), tokenPath_(std::move(tokenPath)), stateChanged_(std::move(stateChanged)) {
  bus_.Subscribe(this, kSessionInterface, "Closed", [this](DBusMessage* signal) {
    const char* path = dbus_message_get_path(signal);
    if (session_.empty() || !path || session_ != path) return;
    session_.clear();  // the desktop ended it (the user revoked it)
    SetState(PortalState::Unavailable);
  });
}

RemoteDesktopClient::~RemoteDesktopClient() {
  bus_.Forget(this);
  CloseSession();
}

void RemoteDesktopClient::Start() {
  CloseSession();
  SetState(PortalState::Asking);
  const std::string sessionToken = bus_.NewToken();
  const unsigned attempt = ++attempts_;
  bus_.Request(
      this, kInterface, "CreateSession", [](Writer&) {},
      [&](Writer& options) {
        options.Entry("session_handle_token", "s", [&](Writer& v) { v.String(sessionToken); });
      },
      [this, attempt](PortalAnswer answer, DBusMessageIter* results) {
        const std::string session =
            results ? dbus::StringEntry(*results, "session_handle").value_or("") : "";
        if (attempt != attempts_) return bus_.CloseSession(session);  // a later Start took over
        session_ = session;
        if (!session_.empty()) return SelectDevices();
        SetState(answer == PortalAnswer::Cancelled ? PortalState::Refused
                                                   : PortalState::Unavailable);
      });
}

void RemoteDesktopClient::SelectDevices() {
  const std::string token = ReadToken(tokenPath_);
  bus_.Request(
      this, kInterface, "SelectDevices",
      [this](Writer& args) { args.ObjectPath(session_.c_str()); },
      [&](Writer& options) {
        options.Entry("types", "u", [](Writer& v) { v.UInt32(kKeyboardDevice); });
        options.Entry("persist_mode", "u", [](Writer& v) { v.UInt32(kPersistUntilRevoked); });
        if (!token.empty())
          options.Entry("restore_token", "s", [&](Writer& v) { v.String(token); });
      },
      [this, session = session_](PortalAnswer answer, DBusMessageIter*) {
        if (session != session_) return;
        if (answer == PortalAnswer::Granted) return StartSession();
        CloseSession();
        SetState(answer == PortalAnswer::Cancelled ? PortalState::Refused
                                                   : PortalState::Unavailable);
      });
}

void RemoteDesktopClient::StartSession() {
  bus_.Request(
      this, kInterface, "Start",
      [this](Writer& args) {
        args.ObjectPath(session_.c_str());
        args.String("");  // no parent window: the list is gone when the keys are wanted
      },
      [](Writer&) {},
      [this, session = session_](PortalAnswer answer, DBusMessageIter* results) {
        if (session != session_) return;
        const bool keyboard =
            answer == PortalAnswer::Granted &&
            (dbus::UInt32Entry(*results, "devices").value_or(kKeyboardDevice) & kKeyboardDevice);
        if (!keyboard) {
          CloseSession();
          return SetState(answer == PortalAnswer::Cancelled || answer == PortalAnswer::Granted
                              ? PortalState::Refused
                              : PortalState::Unavailable);
        }
        // The token just used is spent: only the new one restores the next session.
        if (auto token = dbus::StringEntry(*results, "restore_token"))
          WriteToken(tokenPath_, *token);
        SetState(PortalState::Working);
      });
}

bool RemoteDesktopClient::SendKeycodes(const std::vector<std::pair<unsigned, bool>>& keys) {
  if (state_ != PortalState::Working) return false;
  for (const auto& [code, pressed] : keys)
    bus_.Call(
        this, kInterface, kPortalPath, "NotifyKeyboardKeycode",
        [&](Writer& args) {
          args.ObjectPath(session_.c_str());
          args.Container(DBUS_TYPE_ARRAY, "{sv}", [](Writer&) {});
          args.Int32(static_cast<std::int32_t>(code));
          args.UInt32(pressed ? 1 : 0);
        },
        [this] { SetState(PortalState::Unavailable); });  // the keys did not arrive: told
  return true;
}

void RemoteDesktopClient::SetState(PortalState state) {
  if (state == state_) return;
  state_ = state;
  bus_.RunLater(this, [this] {
    if (stateChanged_) stateChanged_();
  });
}

void RemoteDesktopClient::CloseSession() {
  bus_.CloseSession(session_);
  session_.clear();
}

}  // namespace qv::wayland
