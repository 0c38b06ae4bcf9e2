#include "win32/app/application_window.h"

#include "desktop/window_names.h"

namespace qv {

ApplicationWindow::ApplicationWindow(const std::string& title) {
  SetErrorBoxTitle(title);
  CreateWindowFrom({.className = kApplicationClass,
                    .caption = title.c_str(),
                    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                   nullptr);
}

std::string ExecutablePath() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

}  // namespace qv
