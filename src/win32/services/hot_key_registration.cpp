#include "win32/services/hot_key_registration.h"

#include "desktop/window_names.h"

namespace qv {

namespace {
constexpr WindowLayout kHotKeyWindowLayout{.className = kHotKeyWindowClass,
                                           .style = WS_CHILD | WS_CLIPSIBLINGS};
}  // namespace

HWND Win32HotKeyRegistration::Window() {
  if (!window_) CreateWindowFrom(kHotKeyWindowLayout, GetDesktopWindow());
  return window_;
}

bool Win32HotKeyRegistration::Register(unsigned modifiers, unsigned virtualKey) {
  // A held hot key repeats; each repeat would show or hide the list again.
  return RegisterHotKey(Window(), 0, modifiers | MOD_NOREPEAT, virtualKey) != FALSE;
}

void Win32HotKeyRegistration::Unregister() {
  if (window_) UnregisterHotKey(window_, 0);
}

LRESULT Win32HotKeyRegistration::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY && onHotKey) onHotKey();
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
