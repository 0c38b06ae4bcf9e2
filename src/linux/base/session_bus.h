#pragma once
#include <string>

namespace qv::dbus {

// The session bus's address, without starting one: the environment's, or the user's bus
// socket ($XDG_RUNTIME_DIR/bus); empty when there is none.
std::string SessionBusAddress();

}  // namespace qv::dbus
