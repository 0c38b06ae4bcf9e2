#include "x11/sni/sni_loader.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace qv::x11 {

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

std::unique_ptr<TrayBackend> SniTrayWhereHostRegistered(const std::string& title,
                                                        const TrayEvents& events) {
  const std::string address = SessionBusAddress();
  if (address.empty()) return nullptr;
  char exe[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string path = length > 0 ? std::string(exe, static_cast<std::size_t>(length)) : "";
  path.erase(path.find_last_of('/') + 1);
  path += kSniLibraryName;
  // Kept loaded: libsystemd and libgcrypt, which libdbus brings, cannot be unloaded anyway.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  auto factory = reinterpret_cast<SniTrayFactory>(dlsym(library, kSniFactoryName));
  if (!factory) return nullptr;
  return std::unique_ptr<TrayBackend>(factory(kSniTrayVersion, address, title, events));
}

}  // namespace qv::x11
