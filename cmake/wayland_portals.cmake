# The desktop portals' clients: libquorvanel-portals.so (libdbus, no GLib), loaded by the Wayland
# program only where a session bus runs, beside the executable; and their test against a fake
# portal on a private bus (tests/e2e-wayland/portal.sh runs it).
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::DBUS)
  pkg_check_modules(DBUS REQUIRED IMPORTED_TARGET dbus-1)
endif()
file(GLOB PORTAL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/wayland/portal/dbus/*.cpp
     ${CMAKE_SOURCE_DIR}/src/linux/dbus/*.cpp)
add_library(quorvanel_portals MODULE ${PORTAL_SOURCES})
if(NOT QV_X11_OUTPUT_DIR)
  set(QV_X11_OUTPUT_DIR ${CMAKE_BINARY_DIR})
endif()
set_target_properties(quorvanel_portals PROPERTIES
  OUTPUT_NAME quorvanel-portals
  LIBRARY_OUTPUT_DIRECTORY ${QV_X11_OUTPUT_DIR}
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(quorvanel_portals PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quorvanel_portals PRIVATE PkgConfig::DBUS)
if(TARGET quorvanel)
  add_dependencies(quorvanel quorvanel_portals)
endif()

# The program's side (the loader, the key injection) with the library it loads, beside it.
file(GLOB PORTAL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e-wayland/portal/*.cpp)
add_executable(portal_tests ${PORTAL_TEST_SOURCES} ${CMAKE_SOURCE_DIR}/src/wayland/portal/portals_loader.cpp
                            ${CMAKE_SOURCE_DIR}/src/linux/base/session_bus.cpp)
set_target_properties(portal_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QV_X11_OUTPUT_DIR})
target_link_libraries(portal_tests PRIVATE quorvanel_core GTest::gtest GTest::gtest_main
                                           ${CMAKE_DL_LIBS})
add_dependencies(portal_tests quorvanel_portals)
