#pragma once
// The StatusNotifierItem tray, loaded from libquorvanel-sni.so beside the program only where a
// session bus runs.
#include <memory>
#include <string>

#include "linux/base/session_bus.h"
#include "linux/sni/tray_backend.h"

namespace qv::x11 {

using dbus::SessionBusAddress;

// The item where a bus runs and a host is registered; null otherwise (also when the library
// is missing: the XEmbed tray then serves).
std::unique_ptr<TrayBackend> SniTrayWhereHostRegistered(const std::string& title,
                                                        const TrayEvents& events);

}  // namespace qv::x11
