#pragma once
// The item's and its menu's answers to what the bus sends them.
#include <dbus/dbus.h>

#include "linux/sni/dbus/sni_tray.h"

namespace qv::x11 {

struct SniMessages {
  static DBusHandlerResult OnItem(DBusConnection*, DBusMessage* message, void* tray);
  static DBusHandlerResult OnMenu(DBusConnection*, DBusMessage* message, void* tray);
  // Watchers coming and going, hosts registering.
  static DBusHandlerResult OnSignal(DBusConnection*, DBusMessage* message, void* tray);
  static DBusHandlerResult Item(SniTray& tray, DBusMessage* call);
  static DBusHandlerResult Menu(SniTray& tray, DBusMessage* call);
};

}  // namespace qv::x11
