# The Wayland front end, linked into the same `quorvanel` as the X11 one: the program picks it
# when WAYLAND_DISPLAY is set. The protocols' glue is generated at build time from
# wayland-protocols' files and the wlroots protocols carried in src/wayland/protocols.
enable_language(C)
find_package(PkgConfig REQUIRED)
pkg_check_modules(WAYLAND REQUIRED IMPORTED_TARGET wayland-client xkbcommon freetype2 fontconfig)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
set(QV_PROTOCOLS ${WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml
                 ${WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml)
file(GLOB QV_OWN_PROTOCOLS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/wayland/protocols/*.xml)
list(APPEND QV_PROTOCOLS ${QV_OWN_PROTOCOLS})
set(QV_PROTOCOL_DIR ${CMAKE_BINARY_DIR}/wayland-protocols)
file(MAKE_DIRECTORY ${QV_PROTOCOL_DIR})
set(QV_PROTOCOL_SOURCES)
foreach(xml ${QV_PROTOCOLS})
  get_filename_component(name ${xml} NAME_WE)
  add_custom_command(
    OUTPUT ${QV_PROTOCOL_DIR}/${name}-client.h ${QV_PROTOCOL_DIR}/${name}.c
    COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${QV_PROTOCOL_DIR}/${name}-client.h
    COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${QV_PROTOCOL_DIR}/${name}.c
    DEPENDS ${xml}
    VERBATIM)
  list(APPEND QV_PROTOCOL_SOURCES ${QV_PROTOCOL_DIR}/${name}-client.h ${QV_PROTOCOL_DIR}/${name}.c)
endforeach()
file(GLOB_RECURSE WAYLAND_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/wayland/*.cpp)
# The portals' D-Bus half is a library of its own (libquorvanel-portals.so); src/linux is the
# X11 program's already.
list(FILTER WAYLAND_SOURCES EXCLUDE REGEX "/dbus/")
target_sources(quorvanel PRIVATE ${WAYLAND_SOURCES} ${QV_PROTOCOL_SOURCES})
target_include_directories(quorvanel PRIVATE ${QV_PROTOCOL_DIR})
target_link_libraries(quorvanel PRIVATE PkgConfig::WAYLAND)
target_compile_definitions(quorvanel PRIVATE QV_WAYLAND=1)

# The hands of the Wayland end-to-end tests: a keyboard and a pointer.
set(QV_POINTER_XML ${CMAKE_SOURCE_DIR}/tests/e2e-wayland/tools/wlr-virtual-pointer-unstable-v1.xml)
add_custom_command(
  OUTPUT ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1-client.h
         ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1.c
  COMMAND ${WAYLAND_SCANNER} client-header ${QV_POINTER_XML}
          ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1-client.h
  COMMAND ${WAYLAND_SCANNER} private-code ${QV_POINTER_XML}
          ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1.c
  DEPENDS ${QV_POINTER_XML}
  VERBATIM)
add_executable(qv_wl_keys ${CMAKE_SOURCE_DIR}/tests/e2e-wayland/tools/wl_keys.cpp
                          ${QV_PROTOCOL_DIR}/virtual-keyboard-unstable-v1.c
                          ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1.c
                          ${QV_PROTOCOL_DIR}/wlr-virtual-pointer-unstable-v1-client.h)
target_include_directories(qv_wl_keys PRIVATE ${QV_PROTOCOL_DIR})
target_link_libraries(qv_wl_keys PRIVATE PkgConfig::WAYLAND)
set_target_properties(qv_wl_keys PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)
