#include "app/application_window_win32.h"

#include "desktop/window_names.h"

namespace qv {

ApplicationWindow::ApplicationWindow(const std::string& title) {
  CreateWindowFrom({.className = kApplicationClass,
                    .caption = title.c_str(),
                    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                    .exStyle = 0,
                    .x = 0,
                    .y = 0,
                    .width = 0,
                    .height = 0},
                   nullptr);
}

}  // namespace qv
