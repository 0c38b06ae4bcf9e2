#pragma once
// Small pieces every window of the program shares: its class, its owner object, painting.
#include <windows.h>

namespace qv {

struct WindowClass {
  const char* name;
  WNDPROC procedure;
  HBRUSH background = nullptr;
  UINT style = 0;
};
// Registers the class once; later calls find it registered and do nothing.
void RegisterWindowClass(const WindowClass& cls);

// The object a window belongs to, stored in its user data.
template <typename Owner>
void SetOwner(HWND window, Owner* owner) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}
template <typename Owner>
Owner* OwnerOf(HWND window) {
  return reinterpret_cast<Owner*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// A window procedure that hands every message to the window's owner object once it is set.
template <typename Owner>
LRESULT CALLBACK ForwardToOwner(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* owner = OwnerOf<Owner>(window);
  if (!owner) return DefWindowProcA(window, message, wParam, lParam);
  return owner->OnMessage(message, wParam, lParam);
}

// Answers WM_PAINT with `paint(dc)`.
template <typename Paint>
void PaintWindow(HWND window, Paint&& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  paint(dc);
  EndPaint(window, &ps);
}

}  // namespace qv
