#include "desktop/tray_icon_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "desktop/window_names.h"

namespace qv {

namespace {
// The original record holds 64 characters of tip, its NUL included.
constexpr std::size_t kTipLength = 63;
}  // namespace

TrayIcon::TrayIcon() {
  CreateWindowFrom({.className = kTrayWindowClass,
                    .caption = "",
                    .style = WS_POPUP,
                    .exStyle = WS_EX_TOOLWINDOW,
                    .x = 0,
                    .y = 0,
                    .width = 0,
                    .height = 0},
                   nullptr);
}

TrayIcon::~TrayIcon() {
  enabled_ = false;
  Deactivate();
}

void TrayIcon::FillRecord(NOTIFYICONDATAA& record) const {
  std::memset(&record, 0, sizeof record);
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;  // the original record form
  record.hWnd = window_;
  record.uID = 0;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_.get();
  const std::size_t length = std::min(tip_.size(), kTipLength);
  std::memcpy(record.szTip, tip_.data(), length);
  record.szTip[length] = '\0';
}

void TrayIcon::SetTip(const std::string& text) {
  tip_ = text.substr(0, kTipLength);
  if (!added_) return;
  NOTIFYICONDATAA record;
  FillRecord(record);
  Shell_NotifyIconA(NIM_MODIFY, &record);
}

void TrayIcon::SetIcon(HICON icon) {
  if (icon_.get() != icon) icon_.reset(icon);
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
  if (added_) Shell_NotifyIconA(NIM_MODIFY, &record);  // every add is followed by a modify
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
  TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    if (onCommand) onCommand(LOWORD(wParam));
    return 0;
  }
  // The notification area was created anew (the shell restarted) and knows no icons: add
  // ours again, or the user would lose the menu for good.
  static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  if (message == taskbarCreated && taskbarCreated != 0) {
    if (icon_) Activate();
    return 0;
  }
  if (message != kCallbackMessage || !enabled_)
    return WindowBase::OnMessage(message, wParam, lParam);
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
  if (clicks_.OnMouse(event)) {
    POINT at{};
    GetCursorPos(&at);
    OpenMenu(at);
  }
  return 0;
}

}  // namespace qv
