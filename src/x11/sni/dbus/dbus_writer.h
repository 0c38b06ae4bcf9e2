#pragma once
#include "linux/dbus/dbus_writer.h"

namespace qv::x11 {
using dbus::DBusWriter;
}  // namespace qv::x11
