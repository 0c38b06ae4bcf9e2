#pragma once
// Names on the session bus of the StatusNotifierItem protocol and of dbusmenu.
namespace qv::x11::sni {

inline constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";
inline constexpr const char* kWatcherPath = "/StatusNotifierWatcher";
inline constexpr const char* kItemInterface = "org.kde.StatusNotifierItem";
inline constexpr const char* kItemPath = "/StatusNotifierItem";
inline constexpr const char* kMenuInterface = "com.canonical.dbusmenu";
inline constexpr const char* kMenuPath = "/MenuBar";
inline constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
inline constexpr const char* kIntrospectable = "org.freedesktop.DBus.Introspectable";

}  // namespace qv::x11::sni
