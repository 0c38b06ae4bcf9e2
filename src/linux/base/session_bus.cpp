#include "linux/base/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>

namespace qv::dbus {

std::string SessionBusAddress() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address)
    return address;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    const std::string socket = std::string(runtime) + "/bus";
    struct stat info {};
    if (stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) return "unix:path=" + socket;
  }
  return {};
}

}  // namespace qv::dbus
