#include "linux/dbus/dbus_reader.h"

namespace qv::dbus {

bool FindEntry(DBusMessageIter dict, const char* key, DBusMessageIter* value) {
  if (dbus_message_iter_get_arg_type(&dict) != DBUS_TYPE_ARRAY) return false;
  DBusMessageIter entry;
  for (dbus_message_iter_recurse(&dict, &entry);
       dbus_message_iter_get_arg_type(&entry) == DBUS_TYPE_DICT_ENTRY;
       dbus_message_iter_next(&entry)) {
    DBusMessageIter field;
    dbus_message_iter_recurse(&entry, &field);
    if (TextAt(&field) != key || !dbus_message_iter_next(&field) ||
        dbus_message_iter_get_arg_type(&field) != DBUS_TYPE_VARIANT)
      continue;
    dbus_message_iter_recurse(&field, value);
    return true;
  }
  return false;
}

std::optional<std::string> StringEntry(DBusMessageIter dict, const char* key) {
  DBusMessageIter value;
  if (!FindEntry(dict, key, &value)) return std::nullopt;
  const int type = dbus_message_iter_get_arg_type(&value);
  if (type != DBUS_TYPE_STRING && type != DBUS_TYPE_OBJECT_PATH) return std::nullopt;
  return TextAt(&value);
}

std::optional<std::uint32_t> UInt32Entry(DBusMessageIter dict, const char* key) {
  DBusMessageIter value;
  if (!FindEntry(dict, key, &value) || dbus_message_iter_get_arg_type(&value) != DBUS_TYPE_UINT32)
    return std::nullopt;
  dbus_uint32_t number = 0;
  dbus_message_iter_get_basic(&value, &number);
  return number;
}

std::string TextAt(DBusMessageIter* at) {
  const int type = dbus_message_iter_get_arg_type(at);
  if (type != DBUS_TYPE_STRING && type != DBUS_TYPE_OBJECT_PATH) return {};
  const char* text = "";
  dbus_message_iter_get_basic(at, &text);
  return text;
}

}  // namespace qv::dbus
