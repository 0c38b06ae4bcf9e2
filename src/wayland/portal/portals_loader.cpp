#include "wayland/portal/portals_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "desktop/wayland_keys.h"
#include "linux/base/session_bus.h"

namespace qv::wayland {

std::unique_ptr<Portals> LoadPortals(const std::string& appId) {
  const std::string address = dbus::SessionBusAddress();
  if (address.empty()) return nullptr;
  char exe[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string path = length > 0 ? std::string(exe, static_cast<std::size_t>(length)) : "";
  path.erase(path.find_last_of('/') + 1);
  path += kPortalsLibraryName;
  // Kept loaded, as the tray's library: what libdbus brings cannot be unloaded.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  auto factory = reinterpret_cast<PortalsFactory>(dlsym(library, kPortalsFactoryName));
  if (!factory) return nullptr;
  return std::unique_ptr<Portals>(factory(kPortalsVersion, address, appId));
}

std::string PortalTokenPath(const std::string& dataFolder) {
  char host[256] = "";
  gethostname(host, sizeof host - 1);
  return dataFolder + ".quorvanel-portal-token-" + host;
}

std::size_t PortalKeyInjection::SendKeys(const std::vector<KeyStroke>& keys) {
  std::vector<std::pair<unsigned, bool>> codes;
  for (const KeyStroke& key : keys) {
    if (key.virtualKey == kVkNeutral) continue;  // Windows' alone: no key to send here
    const std::optional<unsigned> code = EvdevKeyCode(key.virtualKey);
    if (!code) return 0;
    codes.emplace_back(*code, !key.up);
  }
  return keyboard_.SendKeycodes(codes) ? keys.size() : 0;
}

std::unique_ptr<Portals> PortalsOnLoop(PollLoop& loop, const std::string& appId) {
  std::unique_ptr<Portals> portals = LoadPortals(appId);
  if (!portals) return portals;
  Portals* served = portals.get();  // lives as long as the loop's sources are served
  loop.AddPollSource({[served](std::vector<pollfd>& fds, int& timeoutMs) {
                        served->AddWaits(fds, timeoutMs);
                        return true;
                      },
                      [served](const std::vector<pollfd>& fds) { served->Dispatch(fds); }});
  return portals;
}

}  // namespace qv::wayland
