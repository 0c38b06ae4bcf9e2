# The tray icon as a StatusNotifierItem: libquorvanel-sni.so (libdbus, no GLib), loaded by the
# program only where a session bus runs, beside the executable.
find_package(PkgConfig REQUIRED)
pkg_check_modules(DBUS REQUIRED IMPORTED_TARGET dbus-1)
file(GLOB X11_SNI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/linux/sni/dbus/*.cpp)
add_library(quorvanel_sni MODULE ${X11_SNI_SOURCES})
if(NOT QV_X11_OUTPUT_DIR)
  set(QV_X11_OUTPUT_DIR ${CMAKE_BINARY_DIR})
endif()
set_target_properties(quorvanel_sni PROPERTIES
  OUTPUT_NAME quorvanel-sni
  LIBRARY_OUTPUT_DIRECTORY ${QV_X11_OUTPUT_DIR}
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(quorvanel_sni PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quorvanel_sni PRIVATE PkgConfig::DBUS)
