#include "desktop/hot_key_registration_win32.h"

#include "app/window_names.h"

namespace qv {

Win32HotKeyRegistration::~Win32HotKeyRegistration() {
  if (window_) DestroyWindow(window_);
}

HWND Win32HotKeyRegistration::Window() {
  if (window_) return window_;
  WNDCLASSA cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.lpszClassName = kHotKeyWindowClass;
  RegisterClassA(&cls);  // fails harmlessly when already registered
  window_ = CreateWindowExA(0, kHotKeyWindowClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                            GetDesktopWindow(), nullptr, cls.hInstance, nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return window_;
}

bool Win32HotKeyRegistration::Register(unsigned modifiers, unsigned virtualKey) {
  return RegisterHotKey(Window(), 0, modifiers, virtualKey) != FALSE;
}

void Win32HotKeyRegistration::Unregister() {
  if (window_) UnregisterHotKey(window_, 0);
}

LRESULT CALLBACK Win32HotKeyRegistration::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                     LPARAM lParam) {
  if (message == WM_HOTKEY) {
    auto* self =
        reinterpret_cast<Win32HotKeyRegistration*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->onHotKey) self->onHotKey();
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qv
