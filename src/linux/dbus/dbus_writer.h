#pragma once
// Writing D-Bus values: containers opened and closed around a function that fills them.
// Shared by the StatusNotifierItem tray and the desktop portals' clients.
#include <dbus/dbus.h>

#include <cstdint>
#include <string>

namespace qv::dbus {

class DBusWriter {
 public:
  explicit DBusWriter(DBusMessageIter* at) : at_(at) {}

  void String(const std::string& value) { Basic(DBUS_TYPE_STRING, value.c_str()); }
  void ObjectPath(const char* value) { Basic(DBUS_TYPE_OBJECT_PATH, value); }
  void Int32(std::int32_t value) { dbus_message_iter_append_basic(at_, DBUS_TYPE_INT32, &value); }
  void UInt32(std::uint32_t value) {
    dbus_message_iter_append_basic(at_, DBUS_TYPE_UINT32, &value);
  }
  void Bool(bool value) {
    const dbus_bool_t flag = value;
    dbus_message_iter_append_basic(at_, DBUS_TYPE_BOOLEAN, &flag);
  }
  void Bytes(const std::string& bytes) {
    Container(DBUS_TYPE_ARRAY, "y", [&](DBusWriter& array) {
      const char* data = bytes.data();
      dbus_message_iter_append_fixed_array(array.at_, DBUS_TYPE_BYTE, &data,
                                           static_cast<int>(bytes.size()));
    });
  }

  // `signature`: of the array's elements or the variant's value; null for structs and dict
  // entries.
  template <typename Fill>
  void Container(int type, const char* signature, Fill&& fill) {
    DBusMessageIter inner;
    dbus_message_iter_open_container(at_, type, signature, &inner);
    DBusWriter writer(&inner);
    fill(writer);
    dbus_message_iter_close_container(at_, &inner);
  }
  template <typename Fill>
  void Variant(const char* signature, Fill&& fill) {
    Container(DBUS_TYPE_VARIANT, signature, fill);
  }
  template <typename Fill>
  void Struct(Fill&& fill) {
    Container(DBUS_TYPE_STRUCT, nullptr, fill);
  }
  // One entry of an a{sv}.
  template <typename Fill>
  void Entry(const char* key, const char* signature, Fill&& fill) {
    Container(DBUS_TYPE_DICT_ENTRY, nullptr, [&](DBusWriter& entry) {
      entry.String(key);
      entry.Variant(signature, fill);
    });
  }

 private:
  void Basic(int type, const char* value) { dbus_message_iter_append_basic(at_, type, &value); }
  DBusMessageIter* at_;
};

}  // namespace qv::dbus
