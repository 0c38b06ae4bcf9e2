#include "app/application_window_win32.h"

#include "desktop/window_class_win32.h"
#include "desktop/window_names.h"

namespace qv {

ApplicationWindow::ApplicationWindow(const std::string& title) {
  RegisterWindowClass({kApplicationClass, DefWindowProcA});
  window_ = CreateWindowExA(0, kApplicationClass, title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

ApplicationWindow::~ApplicationWindow() {
  if (window_) DestroyWindow(window_);
}

}  // namespace qv
