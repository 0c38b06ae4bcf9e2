#include "app/application_window_win32.h"

#include "app/window_names.h"

namespace qv {

ApplicationWindow::ApplicationWindow(const std::string& title) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = kApplicationClass;
  RegisterClassA(&cls);
  window_ = CreateWindowExA(0, kApplicationClass, title.c_str(),
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                            nullptr, nullptr, cls.hInstance, nullptr);
}

ApplicationWindow::~ApplicationWindow() {
  if (window_) DestroyWindow(window_);
}

}  // namespace qv
