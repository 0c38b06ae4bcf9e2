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
  virtualKey_ = virtualKey;
  // A held hot key repeats; each repeat would show or hide the list again.
  return RegisterHotKey(Window(), 0, modifiers | MOD_NOREPEAT, virtualKey) != FALSE;
}

bool Win32HotKeyRegistration::KeyDown() const {
  return (GetAsyncKeyState(static_cast<int>(virtualKey_)) & 0x8000) != 0;
}

void Win32HotKeyRegistration::Unregister() {
  if (window_) UnregisterHotKey(window_, 0);
}

LRESULT Win32HotKeyRegistration::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY) {
    // Where the platform repeats it anyway (Wine), the key is watched until it is let go.
    const bool pressed = repeats_.Pressed(KeyDown(), static_cast<std::int64_t>(GetTickCount64()));
    if (repeats_.Held()) SetTimer(window_, kLookAtKeyTimer, USER_TIMER_MINIMUM * 3, nullptr);
    if (pressed && onHotKey) onHotKey();
  } else if (message == WM_TIMER && wParam == kLookAtKeyTimer) {
    repeats_.LookedAt(KeyDown());
    if (!repeats_.Held()) KillTimer(window_, kLookAtKeyTimer);
    return 0;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
