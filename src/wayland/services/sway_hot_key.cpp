#include "wayland/services/sway_hot_key.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>

#include "linux/base/debug_log.h"
#include "linux/base/key_map.h"

namespace qv::wl {

namespace {

constexpr char kMagic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::uint32_t kRunCommand = 0, kSubscribe = 2, kGetConfig = 9;
constexpr std::uint32_t kBindingEvent = 0x80000005;
constexpr const char* kCommand = "nop quorvanel-hotkey";

int Connect(const std::string& path) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) {
    close(fd);
    return -1;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size());
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool SendMessage(int fd, std::uint32_t type, const std::string& payload) {
  std::string message(kMagic, sizeof kMagic);
  const std::uint32_t header[2] = {static_cast<std::uint32_t>(payload.size()), type};
  message.append(reinterpret_cast<const char*>(header), sizeof header);
  message += payload;
  return write(fd, message.data(), message.size()) == static_cast<ssize_t>(message.size());
}

bool ReadFully(int fd, char* into, std::size_t size) {
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = read(fd, into + done, size - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Whether the configuration text binds `key` (case aside, flags skipped) to anything.
bool ConfigBinds(const std::string& config, const std::string& key) {
  std::istringstream lines(config);
  std::string line;
  const auto lower = [](std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
  };
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word != "bindsym") continue;
    while (words >> word && word.rfind("--", 0) == 0) {
    }
    if (lower(word) == lower(key)) return true;
  }
  return false;
}

}  // namespace

std::string SwayKeyName(unsigned modifiers, unsigned virtualKey) {
  const KeySymbol keysym = KeysymForVirtualKey(virtualKey);
  const char* name = keysym ? XKeysymToString(keysym) : nullptr;
  if (!name) return "";
  std::string key;
  if (modifiers & 2) key += "Ctrl+";
  if (modifiers & 4) key += "Shift+";
  if (modifiers & 1) key += "Mod1+";
  return key + name;
}

SwayHotKey::SwayHotKey(PollLoop& loop) {
  const char* path = std::getenv("SWAYSOCK");
  if (!path || !*path) return;
  eventSocket_ = Connect(path);
  if (eventSocket_ < 0) return;
  socketPath_ = path;
  SendMessage(eventSocket_, kSubscribe, "[\"binding\"]");
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int&) {
                        if (eventSocket_ < 0) return false;
                        fds.push_back({eventSocket_, POLLIN, 0});
                        return true;
                      },
                      [this](const std::vector<pollfd>& fds) {
                        for (const pollfd& p : fds)
                          if (p.fd == eventSocket_ && (p.revents & (POLLIN | POLLHUP)))
                            ReadEvents();
                      }});
}

SwayHotKey::~SwayHotKey() {
  Unregister();
  if (eventSocket_ >= 0) close(eventSocket_);
}

std::optional<std::string> SwayHotKey::Request(std::uint32_t type, const std::string& payload) {
  const int fd = Connect(socketPath_);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> reply;
  char header[14];
  if (SendMessage(fd, type, payload) && ReadFully(fd, header, sizeof header)) {
    std::uint32_t length = 0;
    std::memcpy(&length, header + 6, 4);
    std::string body(length, '\0');
    if (ReadFully(fd, body.data(), length)) reply = body;
  }
  close(fd);
  return reply;
}

bool SwayHotKey::Register(unsigned modifiers, unsigned virtualKey) {
  if (!Available()) return false;
  const std::string key = SwayKeyName(modifiers, virtualKey);
  if (key.empty()) return false;
  // Bound by the user's configuration: another program's key, not taken over.
  if (const auto config = Request(kGetConfig, ""); config && ConfigBinds(*config, key)) {
    DebugLog("hotkey " + key + " bound by the configuration");
    return false;
  }
  const auto reply = Request(kRunCommand, "bindsym --no-repeat " + key + " " + kCommand);
  const bool bound = reply && reply->find("\"success\": true") != std::string::npos;
  if (bound) bound_ = key;
  DebugLog("hotkey " + key + (bound ? " bound" : " not bound"));
  return bound;
}

void SwayHotKey::Unregister() {
  if (bound_.empty()) return;
  Request(kRunCommand, "unbindsym " + bound_);
  bound_.clear();
}

void SwayHotKey::ReadEvents() {
  char buffer[4096];
  const ssize_t n = read(eventSocket_, buffer, sizeof buffer);
  if (n <= 0) {
    close(eventSocket_);
    eventSocket_ = -1;
    return;
  }
  events_.append(buffer, static_cast<std::size_t>(n));
  while (events_.size() >= 14) {
    std::uint32_t length = 0, type = 0;
    std::memcpy(&length, events_.data() + 6, 4);
    std::memcpy(&type, events_.data() + 10, 4);
    if (events_.size() < 14 + length) return;
    const std::string body = events_.substr(14, length);
    events_.erase(0, 14 + length);
    if (type == kBindingEvent && body.find(kCommand) != std::string::npos && onHotKey) onHotKey();
  }
}

}  // namespace qv::wl
