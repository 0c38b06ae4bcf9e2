#include "linux/sni/sni_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

namespace qv::x11 {

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
