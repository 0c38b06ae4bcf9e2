// The item's and the menu's answers on the bus: their properties, and the methods a host
// calls when the user clicks.
#include "linux/sni/dbus/sni_messages.h"

#include <cstring>
#include <string>
#include <utility>

#include "linux/dbus/dbus_writer.h"
#include "linux/sni/dbus/sni_names.h"

namespace qv::x11 {

using namespace sni;
using dbus::DBusWriter;

namespace {

constexpr const char* kItemXml = R"xml(<node><interface name="org.kde.StatusNotifierItem">
<property name="Category" type="s" access="read"/><property name="Id" type="s" access="read"/>
<property name="Title" type="s" access="read"/><property name="Status" type="s" access="read"/>
<property name="WindowId" type="i" access="read"/>
<property name="IconName" type="s" access="read"/>
<property name="IconPixmap" type="a(iiay)" access="read"/>
<property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
<property name="ItemIsMenu" type="b" access="read"/>
<property name="Menu" type="o" access="read"/>
<method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
<method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
<method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
<method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
<signal name="NewIcon"/><signal name="NewToolTip"/><signal name="NewStatus"><arg type="s"/></signal>
</interface></node>)xml";

constexpr const char* kMenuXml = R"xml(<node><interface name="com.canonical.dbusmenu">
<property name="Version" type="u" access="read"/><property name="TextDirection" type="s" access="read"/>
<property name="Status" type="s" access="read"/><property name="IconThemePath" type="as" access="read"/>
<method name="GetLayout"><arg type="i" direction="in"/><arg type="i" direction="in"/><arg type="as" direction="in"/><arg type="u" direction="out"/><arg type="(ia{sv}av)" direction="out"/></method>
<method name="GetGroupProperties"><arg type="ai" direction="in"/><arg type="as" direction="in"/><arg type="a(ia{sv})" direction="out"/></method>
<method name="GetProperty"><arg type="i" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
<method name="Event"><arg type="i" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="in"/><arg type="u" direction="in"/></method>
<method name="EventGroup"><arg type="a(isvu)" direction="in"/><arg type="ai" direction="out"/></method>
<method name="AboutToShow"><arg type="i" direction="in"/><arg type="b" direction="out"/></method>
<method name="AboutToShowGroup"><arg type="ai" direction="in"/><arg type="ai" direction="out"/><arg type="ai" direction="out"/></method>
<signal name="LayoutUpdated"><arg type="u"/><arg type="i"/></signal>
</interface></node>)xml";

// Pixels as the item's IconPixmap carries them: ARGB, most significant byte first.
std::string NetworkOrder(const TrayPicture& picture) {
  std::string bytes;
  bytes.reserve(picture.argb.size() * 4);
  for (const std::uint32_t pixel : picture.argb)
    for (const int shift : {24, 16, 8, 0}) bytes += static_cast<char>((pixel >> shift) & 0xFF);
  return bytes;
}

void WritePixmaps(DBusWriter& writer, const std::vector<TrayPicture>& pictures) {
  writer.Container(DBUS_TYPE_ARRAY, "(iiay)", [&](DBusWriter& array) {
    for (const TrayPicture& picture : pictures)
      array.Struct([&](DBusWriter& item) {
        item.Int32(picture.width);
        item.Int32(picture.height);
        item.Bytes(NetworkOrder(picture));
      });
  });
}

// The integers, strings or other values of an array argument are not needed: only their
// count and the ids of int arrays.
std::vector<std::int32_t> ReadIntArray(DBusMessageIter* at) {
  std::vector<std::int32_t> values;
  if (dbus_message_iter_get_arg_type(at) != DBUS_TYPE_ARRAY) return values;
  DBusMessageIter items;
  dbus_message_iter_recurse(at, &items);
  while (dbus_message_iter_get_arg_type(&items) == DBUS_TYPE_INT32) {
    dbus_int32_t value = 0;
    dbus_message_iter_get_basic(&items, &value);
    values.push_back(value);
    dbus_message_iter_next(&items);
  }
  return values;
}

using PropertyWriter = std::function<void(DBusWriter&)>;
struct Property {
  const char* name;
  const char* signature;
  PropertyWriter write;
};

DBusHandlerResult Reply(DBusConnection* bus, DBusMessage* reply) {
  dbus_connection_send(bus, reply, nullptr);
  dbus_message_unref(reply);
  return DBUS_HANDLER_RESULT_HANDLED;
}

DBusHandlerResult EmptyReply(DBusConnection* bus, DBusMessage* call) {
  return Reply(bus, dbus_message_new_method_return(call));
}

DBusHandlerResult ErrorReply(DBusConnection* bus, DBusMessage* call, const char* text) {
  return Reply(bus, dbus_message_new_error(call, DBUS_ERROR_INVALID_ARGS, text));
}

// Properties.Get and GetAll over `properties` of `interface`.
DBusHandlerResult AnswerProperties(DBusConnection* bus, DBusMessage* call, const char* interface,
                                   const std::vector<Property>& properties) {
  const char* asked = "";
  const char* name = "";
  if (dbus_message_is_method_call(call, kProperties, "GetAll")) {
    dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &asked, DBUS_TYPE_INVALID);
    DBusMessage* reply = dbus_message_new_method_return(call);
    DBusMessageIter at;
    dbus_message_iter_init_append(reply, &at);
    DBusWriter(&at).Container(DBUS_TYPE_ARRAY, "{sv}", [&](DBusWriter& dict) {
      if (std::strcmp(asked, interface) != 0) return;
      for (const Property& property : properties)
        dict.Entry(property.name, property.signature, property.write);
    });
    return Reply(bus, reply);
  }
  if (dbus_message_is_method_call(call, kProperties, "Get") &&
      dbus_message_get_args(call, nullptr, DBUS_TYPE_STRING, &asked, DBUS_TYPE_STRING, &name,
                            DBUS_TYPE_INVALID)) {
    for (const Property& property : properties) {
      if (std::strcmp(property.name, name) != 0 || std::strcmp(asked, interface) != 0) continue;
      DBusMessage* reply = dbus_message_new_method_return(call);
      DBusMessageIter at;
      dbus_message_iter_init_append(reply, &at);
      DBusWriter(&at).Variant(property.signature, property.write);
      return Reply(bus, reply);
    }
    return ErrorReply(bus, call, "No such property");
  }
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

DBusHandlerResult Introspect(DBusConnection* bus, DBusMessage* call, const char* xml) {
  DBusMessage* reply = dbus_message_new_method_return(call);
  dbus_message_append_args(reply, DBUS_TYPE_STRING, &xml, DBUS_TYPE_INVALID);
  return Reply(bus, reply);
}

PropertyWriter StringValue(std::string value) {
  return [value](DBusWriter& writer) { writer.String(value); };
}

}  // namespace

DBusHandlerResult SniMessages::OnItem(DBusConnection*, DBusMessage* message, void* tray) {
  return Item(*static_cast<SniTray*>(tray), message);
}

DBusHandlerResult SniMessages::OnMenu(DBusConnection*, DBusMessage* message, void* tray) {
  return Menu(*static_cast<SniTray*>(tray), message);
}

DBusHandlerResult SniMessages::Item(SniTray& self, DBusMessage* call) {
  if (dbus_message_is_method_call(call, kIntrospectable, "Introspect"))
    return Introspect(self.bus_, call, kItemXml);
  const std::vector<Property> properties{
      {"Category", "s", StringValue("ApplicationStatus")},
      {"Id", "s", StringValue("quorvanel")},
      {"Title", "s", StringValue(self.title_)},
      {"Status", "s", StringValue("Active")},
      {"WindowId", "i", [](DBusWriter& w) { w.Int32(0); }},
      {"IconName", "s", StringValue("")},
      {"IconPixmap", "a(iiay)", [&self](DBusWriter& w) { WritePixmaps(w, self.pictures_); }},
      {"ToolTip", "(sa(iiay)ss)",
       [&self](DBusWriter& w) {
         w.Struct([&self](DBusWriter& tip) {
           tip.String("");
           WritePixmaps(tip, {});
           tip.String(self.tip_);
           tip.String("");
         });
       }},
      {"ItemIsMenu", "b", [](DBusWriter& w) { w.Bool(false); }},
      {"Menu", "o", [](DBusWriter& w) { w.ObjectPath(kMenuPath); }},
  };
  const DBusHandlerResult answered = AnswerProperties(self.bus_, call, kItemInterface, properties);
  if (answered != DBUS_HANDLER_RESULT_NOT_YET_HANDLED) return answered;
  for (const auto& [method, event] : {std::pair("ContextMenu", &TrayEvents::contextMenu),
                                      std::pair("Activate", &TrayEvents::activate)}) {
    if (!dbus_message_is_method_call(call, kItemInterface, method)) continue;
    dbus_int32_t x = 0, y = 0;
    dbus_message_get_args(call, nullptr, DBUS_TYPE_INT32, &x, DBUS_TYPE_INT32, &y,
                          DBUS_TYPE_INVALID);
    self.RunLater([&self, event = event, x, y] {
      if (self.events_.*event) (self.events_.*event)(x, y);
    });
    return EmptyReply(self.bus_, call);
  }
  for (const char* method : {"SecondaryActivate", "Scroll"})
    if (dbus_message_is_method_call(call, kItemInterface, method))
      return EmptyReply(self.bus_, call);
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

namespace {

// One menu entry with its properties; id 0 is the root, whose children are the commands.
void WriteMenuItem(DBusWriter& writer, int id, const std::vector<TrayCommand>& commands,
                   bool withChildren) {
  writer.Struct([&](DBusWriter& item) {
    item.Int32(id);
    item.Container(DBUS_TYPE_ARRAY, "{sv}", [&](DBusWriter& properties) {
      if (id == 0) {
        properties.Entry("children-display", "s", [](DBusWriter& w) { w.String("submenu"); });
        return;
      }
      const std::string& caption = commands[static_cast<std::size_t>(id - 1)].caption;
      properties.Entry("label", "s", [&](DBusWriter& w) { w.String(caption); });
      properties.Entry("enabled", "b", [](DBusWriter& w) { w.Bool(true); });
      properties.Entry("visible", "b", [](DBusWriter& w) { w.Bool(true); });
    });
    item.Container(DBUS_TYPE_ARRAY, "v", [&](DBusWriter& children) {
      if (id != 0 || !withChildren) return;
      for (int child = 1; child <= static_cast<int>(commands.size()); ++child)
        children.Variant("(ia{sv}av)",
                         [&](DBusWriter& v) { WriteMenuItem(v, child, commands, false); });
    });
  });
}

DBusMessage* NewReply(DBusMessage* call, DBusMessageIter* at) {
  DBusMessage* reply = dbus_message_new_method_return(call);
  dbus_message_iter_init_append(reply, at);
  return reply;
}

}  // namespace

DBusHandlerResult SniMessages::Menu(SniTray& self, DBusMessage* call) {
  if (dbus_message_is_method_call(call, kIntrospectable, "Introspect"))
    return Introspect(self.bus_, call, kMenuXml);
  const std::vector<Property> properties{
      {"Version", "u", [](DBusWriter& w) { w.UInt32(3); }},
      {"TextDirection", "s", StringValue("ltr")},
      {"Status", "s", StringValue("normal")},
      {"IconThemePath", "as",
       [](DBusWriter& w) { w.Container(DBUS_TYPE_ARRAY, "s", [](DBusWriter&) {}); }},
  };
  const DBusHandlerResult answered = AnswerProperties(self.bus_, call, kMenuInterface, properties);
  if (answered != DBUS_HANDLER_RESULT_NOT_YET_HANDLED) return answered;
  const int count = static_cast<int>(self.events_.commands.size());
  const auto known = [count](std::int32_t id) { return id >= 0 && id <= count; };
  DBusMessageIter args, at;
  const bool hasArgs = dbus_message_iter_init(call, &args);
  const auto is = [call](const char* method) {
    return dbus_message_is_method_call(call, kMenuInterface, method);
  };

  if (is("GetLayout")) {
    dbus_int32_t parent = 0;
    if (hasArgs && dbus_message_iter_get_arg_type(&args) == DBUS_TYPE_INT32)
      dbus_message_iter_get_basic(&args, &parent);
    if (!known(parent)) return ErrorReply(self.bus_, call, "No such menu item");
    DBusMessage* reply = NewReply(call, &at);
    DBusWriter writer(&at);
    writer.UInt32(1);  // the layout's revision: it never changes
    WriteMenuItem(writer, parent, self.events_.commands, true);
    return Reply(self.bus_, reply);
  }
  if (is("GetGroupProperties")) {
    const std::vector<std::int32_t> ids =
        hasArgs ? ReadIntArray(&args) : std::vector<std::int32_t>{};
    DBusMessage* reply = NewReply(call, &at);
    DBusWriter(&at).Container(DBUS_TYPE_ARRAY, "(ia{sv})", [&](DBusWriter& items) {
      for (const std::int32_t id : ids) {
        if (id < 1 || id > count) continue;
        items.Struct([&](DBusWriter& item) {
          item.Int32(id);
          item.Container(DBUS_TYPE_ARRAY, "{sv}", [&](DBusWriter& values) {
            const std::string& caption =
                self.events_.commands[static_cast<std::size_t>(id - 1)].caption;
            values.Entry("label", "s", [&](DBusWriter& w) { w.String(caption); });
          });
        });
      }
    });
    return Reply(self.bus_, reply);
  }
  if (is("GetProperty")) {
    dbus_int32_t id = 0;
    const char* name = "";
    dbus_message_get_args(call, nullptr, DBUS_TYPE_INT32, &id, DBUS_TYPE_STRING, &name,
                          DBUS_TYPE_INVALID);
    if (id < 1 || id > count || std::strcmp(name, "label") != 0)
      return ErrorReply(self.bus_, call, "No such property");
    DBusMessage* reply = NewReply(call, &at);
    const std::string caption = self.events_.commands[static_cast<std::size_t>(id - 1)].caption;
    DBusWriter(&at).Variant("s", [&](DBusWriter& w) { w.String(caption); });
    return Reply(self.bus_, reply);
  }
  // A click runs its command once the answer is on its way.
  const auto clicked = [&self, count](std::int32_t id, const char* event) {
    if (id >= 1 && id <= count && std::strcmp(event, "clicked") == 0)
      self.RunLater([&self, id] {
        const auto& command = self.events_.commands[static_cast<std::size_t>(id - 1)];
        if (command.run) command.run();
      });
  };
  const auto readEvent = [&clicked](DBusMessageIter* fields) {
    dbus_int32_t id = 0;
    const char* event = "";
    if (dbus_message_iter_get_arg_type(fields) != DBUS_TYPE_INT32) return;
    dbus_message_iter_get_basic(fields, &id);
    dbus_message_iter_next(fields);
    if (dbus_message_iter_get_arg_type(fields) != DBUS_TYPE_STRING) return;
    dbus_message_iter_get_basic(fields, &event);
    clicked(id, event);
  };
  if (is("Event")) {
    if (hasArgs) readEvent(&args);
    return EmptyReply(self.bus_, call);
  }
  if (is("EventGroup")) {
    if (hasArgs && dbus_message_iter_get_arg_type(&args) == DBUS_TYPE_ARRAY) {
      DBusMessageIter events;
      dbus_message_iter_recurse(&args, &events);
      for (; dbus_message_iter_get_arg_type(&events) == DBUS_TYPE_STRUCT;
           dbus_message_iter_next(&events)) {
        DBusMessageIter fields;
        dbus_message_iter_recurse(&events, &fields);
        readEvent(&fields);
      }
    }
    DBusMessage* reply = NewReply(call, &at);
    DBusWriter(&at).Container(DBUS_TYPE_ARRAY, "i", [](DBusWriter&) {});  // no unknown ids
    return Reply(self.bus_, reply);
  }
  if (is("AboutToShow")) {
    DBusMessage* reply = NewReply(call, &at);
    DBusWriter(&at).Bool(false);  // nothing to update
    return Reply(self.bus_, reply);
  }
  if (is("AboutToShowGroup")) {
    DBusMessage* reply = NewReply(call, &at);
    DBusWriter writer(&at);
    writer.Container(DBUS_TYPE_ARRAY, "i", [](DBusWriter&) {});
    writer.Container(DBUS_TYPE_ARRAY, "i", [](DBusWriter&) {});
    return Reply(self.bus_, reply);
  }
  return DBUS_HANDLER_RESULT_NOT_YET_HANDLED;
}

}  // namespace qv::x11
