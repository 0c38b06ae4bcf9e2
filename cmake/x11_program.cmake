# The program on X11: the portable core with the X11 front end (src/x11) and what it shares with
# the Wayland one (src/linux), but for the dialog library's GTK half and the D-Bus halves (the
# tray's, the portals'), which are libraries of their own.
find_package(X11 REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XFT REQUIRED IMPORTED_TARGET xft fontconfig)
pkg_check_modules(XKBCOMMON REQUIRED IMPORTED_TARGET xkbcommon)
file(GLOB_RECURSE X11_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/x11/*.cpp)
if(NOT QV_X11_OUTPUT_DIR)
  set(QV_X11_OUTPUT_DIR ${CMAKE_BINARY_DIR})
endif()
file(GLOB_RECURSE LINUX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/linux/*.cpp)
list(FILTER LINUX_SOURCES EXCLUDE REGEX "/src/linux/(dialogs/gtk|sni/dbus|dbus)/")
list(APPEND X11_SOURCES ${LINUX_SOURCES})
add_executable(quorvanel ${X11_SOURCES})
set_target_properties(quorvanel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QV_X11_OUTPUT_DIR})
target_link_libraries(quorvanel PRIVATE quorvanel_core X11::X11 X11::Xtst X11::Xrandr
                                        PkgConfig::XFT PkgConfig::XKBCOMMON ${CMAKE_DL_LIBS})
# The libraries it loads when it needs them, beside it.
add_dependencies(quorvanel quorvanel_dialogs quorvanel_sni)
