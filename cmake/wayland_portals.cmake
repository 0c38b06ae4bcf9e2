# The desktop portals' clients (libdbus), which the Wayland program links, and their test
# against a fake portal on a private bus (tests/e2e-wayland/portal.sh runs it).
find_package(PkgConfig REQUIRED)
if(NOT TARGET PkgConfig::DBUS)
  pkg_check_modules(DBUS REQUIRED IMPORTED_TARGET dbus-1)
endif()
file(GLOB PORTAL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/wayland/portal/*.cpp
     ${CMAKE_SOURCE_DIR}/src/linux/dbus/*.cpp)
add_library(quorvanel_portals STATIC ${PORTAL_SOURCES})
target_link_libraries(quorvanel_portals PUBLIC quorvanel_core PkgConfig::DBUS)

if(TARGET GTest::gtest)
  file(GLOB PORTAL_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e-wayland/portal/*.cpp)
  add_executable(portal_tests ${PORTAL_TEST_SOURCES})
  target_link_libraries(portal_tests PRIVATE quorvanel_portals GTest::gtest GTest::gtest_main)
endif()
