# The tray icon as a StatusNotifierItem on the session bus (libdbus-1, no GLib): a library
# the X11 program links.
find_package(PkgConfig REQUIRED)
pkg_check_modules(DBUS REQUIRED IMPORTED_TARGET dbus-1)
file(GLOB X11_SNI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/x11/sni/*.cpp)
add_library(quorvanel_x11_sni STATIC ${X11_SNI_SOURCES})
target_include_directories(quorvanel_x11_sni PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quorvanel_x11_sni PUBLIC PkgConfig::DBUS)
