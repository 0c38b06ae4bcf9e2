#include "desktop/tray_icon_win32.h"

#include <shellapi.h>

#include <cstring>

#include "desktop/error_box_win32.h"
#include "desktop/window_class_win32.h"
#include "desktop/window_names.h"

namespace qv {

TrayIcon::TrayIcon() {
  RegisterWindowClass({kTrayWindowClass, WindowProc});
  window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  SetOwner(window_, this);
}

TrayIcon::~TrayIcon() {
  enabled_ = false;
  Deactivate();
  DestroyWindow(window_);
  if (menu_) DestroyMenu(menu_);
  if (icon_) DestroyIcon(icon_);
}

void TrayIcon::FillRecord(NOTIFYICONDATAA& record) const {
  std::memset(&record, 0, sizeof record);
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the original record form
  record.hWnd = window_;
  record.uID = 0;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_;
  record.szTip[0] = '\0';  // no tooltip
}

void TrayIcon::SetIcon(HICON icon) {
  if (icon_ && icon_ != icon) DestroyIcon(icon_);
  icon_ = icon;
  if (added_) {
    if (!icon_) return Deactivate();
    NOTIFYICONDATAA record;
    FillRecord(record);
    Shell_NotifyIconA(NIM_MODIFY, &record);
  } else {
    Activate();
  }
}

void TrayIcon::Activate() {
  Deactivate();
  if (!icon_) return;
  clicks_.Reset();
  NOTIFYICONDATAA record;
  FillRecord(record);
  added_ = Shell_NotifyIconA(NIM_ADD, &record) != FALSE;
  if (added_) Shell_NotifyIconA(NIM_MODIFY, &record);  // the tooltip is empty
}

void TrayIcon::Deactivate() {
  NOTIFYICONDATAA record;
  FillRecord(record);
  Shell_NotifyIconA(NIM_DELETE, &record);
  added_ = false;
  clicks_.Reset();
}

void TrayIcon::OpenMenu(POINT at) {
  if (!menu_) return;
  ReleaseCapture();
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
  MSG pending;
  for (int i = 0; i < 64 && PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (pending.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(pending.wParam));
      break;
    }
    TranslateMessage(&pending);
    DispatchMessageA(&pending);
  }
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
}

LRESULT CALLBACK TrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = OwnerOf<TrayIcon>(window);
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    const int command = LOWORD(wParam);
    RunHandler(nullptr, [&] {
      if (self->onCommand) self->onCommand(command);
    });
    return 0;
  }
  if (message != kCallbackMessage || !self->enabled_)
    return DefWindowProcA(window, message, wParam, lParam);
  TrayMouse event = TrayMouse::Other;
  switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
      event = TrayMouse::LeftDown;
      break;
    case WM_LBUTTONUP:
      event = TrayMouse::LeftUp;
      break;
    case WM_RBUTTONDOWN:
      event = TrayMouse::RightDown;
      break;
    case WM_RBUTTONUP:
      event = TrayMouse::RightUp;
      break;
    case WM_LBUTTONDBLCLK:
      event = TrayMouse::LeftDoubleClick;
      break;
    default:
      break;
  }
  if (self->clicks_.OnMouse(event)) {
    POINT at{};
    GetCursorPos(&at);
    self->OpenMenu(at);
  }
  return 0;
}

}  // namespace qv
