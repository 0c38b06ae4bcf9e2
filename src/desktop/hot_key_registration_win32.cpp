#include "desktop/hot_key_registration_win32.h"

#include "desktop/window_class_win32.h"
#include "desktop/window_names.h"

namespace qv {

Win32HotKeyRegistration::~Win32HotKeyRegistration() {
  if (window_) DestroyWindow(window_);
}

HWND Win32HotKeyRegistration::Window() {
  if (window_) return window_;
  RegisterWindowClass({kHotKeyWindowClass, WindowProc});
  window_ = CreateWindowExA(0, kHotKeyWindowClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                            GetDesktopWindow(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SetOwner(window_, this);
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
    auto* self = OwnerOf<Win32HotKeyRegistration>(window);
    if (self && self->onHotKey) self->onHotKey();
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace qv
