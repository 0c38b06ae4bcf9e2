#pragma once
// Reading the a{sv} option dictionaries D-Bus services answer with.
#include <dbus/dbus.h>

#include <cstdint>
#include <optional>
#include <string>

namespace qv::dbus {

// Points `value` at the value inside the variant of `key`; false when the dictionary at
// `dict` (an a{sv}) has no such entry.
bool FindEntry(DBusMessageIter dict, const char* key, DBusMessageIter* value);
// The entry as text (a string or an object path), or as a number; none when absent or of
// another type.
std::optional<std::string> StringEntry(DBusMessageIter dict, const char* key);
std::optional<std::uint32_t> UInt32Entry(DBusMessageIter dict, const char* key);
// A string or an object path at `at`; "" for any other type.
std::string TextAt(DBusMessageIter* at);

}  // namespace qv::dbus
