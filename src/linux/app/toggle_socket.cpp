#include "linux/app/toggle_socket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qv {

namespace {

constexpr char kToggle[] = "toggle\n";

bool AddressOf(const std::string& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  return true;
}

}  // namespace

std::string ToggleSocketPath(const std::string& dataFolder) {
  // FNV-1a of the folder's path: one socket per data folder, as one copy runs per folder.
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char ch : dataFolder) hash = (hash ^ ch) * 0x100000001b3ull;
  char name[40];
  std::snprintf(name, sizeof name, "quorvanel-%016llx.sock", static_cast<unsigned long long>(hash));
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return (runtime && *runtime ? std::string(runtime)
                              : dataFolder.substr(0, dataFolder.size() - 1)) +
         "/" + name;
}

ToggleSocket::ToggleSocket(PollLoop& loop, const std::string& dataFolder,
                           std::function<void()> toggled)
    : path_(ToggleSocketPath(dataFolder)), toggled_(std::move(toggled)) {
  sockaddr_un address{};
  if (!AddressOf(path_, address)) return;
  fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd_ < 0) return;
  // This copy holds the folder's instance lock: a socket left behind by a copy that crashed
  // is stale.
  unlink(path_.c_str());
  const mode_t mask = umask(077);
  const bool bound = bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  umask(mask);
  if (!bound || listen(fd_, 4) != 0) {
    close(fd_);
    fd_ = -1;
    return;
  }
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int&) {
                        if (fd_ < 0) return false;
                        fds.push_back({fd_, POLLIN, 0});
                        return true;
                      },
                      [this, &loop](const std::vector<pollfd>& fds) {
                        for (const pollfd& p : fds) {
                          if (p.fd != fd_ || !(p.revents & POLLIN)) continue;
                          const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
                          if (client < 0) continue;
                          char request[16] = {};
                          pollfd wait{client, POLLIN, 0};
                          const bool asked = poll(&wait, 1, 1000) == 1 &&
                                             read(client, request, sizeof request - 1) > 0 &&
                                             std::strcmp(request, kToggle) == 0;
                          if (asked) {
                            [[maybe_unused]] auto written = write(client, "ok\n", 3);
                            loop.Post([this] { toggled_(); });
                          }
                          close(client);
                        }
                      }});
}

ToggleSocket::~ToggleSocket() {
  if (fd_ < 0) return;
  close(fd_);
  unlink(path_.c_str());
}

int SendToggle(const std::string& dataFolder) {
  sockaddr_un address{};
  const std::string path = ToggleSocketPath(dataFolder);
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  char reply[4] = {};
  const bool done = fd >= 0 && AddressOf(path, address) &&
                    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    write(fd, kToggle, sizeof kToggle - 1) == sizeof kToggle - 1 &&
                    read(fd, reply, 3) == 3 && std::strcmp(reply, "ok\n") == 0;
  if (fd >= 0) close(fd);
  if (done) return 0;
  std::fprintf(stderr, "quorvanel: no running copy of the program on %s to show its list\n",
               dataFolder.c_str());
  return 1;
}

}  // namespace qv
