# The editor and settings dialogs on X11 and Wayland: libquorvanel-dialogs.so, made with GTK 3 and loaded
# by the program when one of them first opens, so that the program at rest maps no GTK. It
# goes beside the executable (QV_X11_OUTPUT_DIR, or the build folder).
find_package(PkgConfig REQUIRED)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
file(GLOB X11_DIALOG_PLUGIN_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/linux/dialogs/gtk/*.cpp)
# The core's rules the dialogs draw by (their layout tables are headers) are compiled in.
add_library(quorvanel_dialogs MODULE ${X11_DIALOG_PLUGIN_SOURCES}
                                     ${CMAKE_SOURCE_DIR}/src/linux/dialogs/field_text.cpp
                                     ${CMAKE_SOURCE_DIR}/src/editor/title_field.cpp
                                     ${CMAKE_SOURCE_DIR}/src/base/utf8_text.cpp)
if(NOT QV_X11_OUTPUT_DIR)
  set(QV_X11_OUTPUT_DIR ${CMAKE_BINARY_DIR})
endif()
# Only the factory is exported; the rest stays inside the library.
set_target_properties(quorvanel_dialogs PROPERTIES
  OUTPUT_NAME quorvanel-dialogs
  LIBRARY_OUTPUT_DIRECTORY ${QV_X11_OUTPUT_DIR}
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(quorvanel_dialogs PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(quorvanel_dialogs PRIVATE PkgConfig::GTK3)
