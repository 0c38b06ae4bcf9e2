#include "win32/services/tray_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>

#include "base/utf8_text.h"
#include "desktop/window_names.h"
#include "win32/base/message_loop.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {
// The original record held 64 characters of tip, its NUL included; the tip keeps that length.
constexpr std::size_t kTipLength = 63;
// While the notification area is not there yet (Explorer still starting at log-on), the add
// is tried again this often: the tray is the only way to Settings, the editor and Quit.
constexpr UINT kAddAgainMs = 2000;
constexpr ULONGLONG kBalloonSeenMs = 5000;

// As much of the text as the field holds, never half a surrogate pair.
template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  std::size_t length = std::min(wide.size(), N - 1);
  if (length < wide.size() && IS_HIGH_SURROGATE(wide[length - 1])) --length;
  std::wmemcpy(field, wide.data(), length);
  field[length] = L'\0';
}
}  // namespace

TrayIcon::TrayIcon(std::string balloonTitle) : balloonTitle_(std::move(balloonTitle)) {
  CreateWindowFrom({.className = kTrayWindowClass, .exStyle = WS_EX_TOOLWINDOW}, nullptr);
  // Running as administrator, the program would not hear a new shell's TaskbarCreated, sent
  // from below its integrity level, and its icon, the only menu, would be gone for good.
  using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  if (const auto allow = SystemFunction<ChangeFilter>("user32.dll", "ChangeWindowMessageFilterEx"))
    allow(window_, RegisterWindowMessageA("TaskbarCreated"), kAllow, nullptr);
}

TrayIcon::~TrayIcon() {
  enabled_ = false;
  RemoveIcon();
}

void TrayIcon::SetMenu(std::vector<TrayMenuItem> items) {
  menuItems_ = std::move(items);
  menu_.reset(CreatePopupMenu());
  for (std::size_t i = 0; i < menuItems_.size(); ++i) {
    const UINT command = static_cast<UINT>(i + 1);
    AppendMenuW(menu_.get(), MF_STRING, command, Utf8ToWide(menuItems_[i].caption).c_str());
    menuPictures_.emplace_back(CreateMenuPicture(menuItems_[i].picture));
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    info.hbmpItem = menuPictures_.back().get();
    SetMenuItemInfoW(menu_.get(), command, FALSE, &info);
  }
}

void TrayIcon::LetSettle() const {
  // Only Wine's tray hosts do so.
  if (!SystemFunction<const char*(CDECL*)()>("ntdll.dll", "wine_get_version")) return;
  // Wait for the first change of the foreground (none comes on Windows), then until it has
  // stayed put for a while, within a bound.
  constexpr DWORD kFirstChangeMs = 500, kSteadyMs = 200, kLongestMs = 1500;
  const DWORD start = GetTickCount();
  HWND seen = startForeground_;
  DWORD lastChange = 0;
  bool changed = false;
  while (GetTickCount() - start < kLongestMs) {
    if (!DispatchWaitingMessages(INT_MAX)) return;
    const DWORD now = GetTickCount();
    if (HWND foreground = GetForegroundWindow(); foreground != seen) {
      seen = foreground;
      lastChange = now;
      changed = true;
    }
    if (!changed && now - start >= kFirstChangeMs) return;
    if (changed && now - lastChange >= kSteadyMs) return;
    Sleep(10);
  }
}

void TrayIcon::FillRecord(NOTIFYICONDATAW& record) const {
  std::memset(&record, 0, sizeof record);
  record.cbSize = sizeof record;
  record.hWnd = window_;
  record.uID = 0;
  // The current version shows the tip only when asked to.
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
  record.uCallbackMessage = kCallbackMessage;
  record.hIcon = icon_.get();
  CopyCut(record.szTip, tip_);
}

void TrayIcon::Notify(const std::string& text) {
  balloon_ = text;
  if (added_) ShowBalloon();
}

void TrayIcon::ShowBalloon() {
  NOTIFYICONDATAW record;
  FillRecord(record);
  record.uFlags |= NIF_INFO;
  CopyCut(record.szInfo, balloon_);
  CopyCut(record.szInfoTitle, balloonTitle_);
  record.dwInfoFlags = NIIF_WARNING;
  if (!Shell_NotifyIconW(NIM_MODIFY, &record)) return;
  balloon_.clear();
  balloonShownAt_ = GetTickCount64();
}

void TrayIcon::LetBalloonBeSeen() {
  if (!added_ || balloonShownAt_ == 0) return;
  const ULONGLONG until = balloonShownAt_ + kBalloonSeenMs;
  for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
    // Windows' own questions (the session-end query) are still answered; nothing else runs.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_SENDMESSAGE);
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void TrayIcon::SetTip(const std::string& text) {
  tip_ = text.substr(0, CharacterPrefix(text, kTipLength));
  if (!added_) return;
  NOTIFYICONDATAW record;
  FillRecord(record);
  Shell_NotifyIconW(NIM_MODIFY, &record);
}

void TrayIcon::SetIcon(HICON icon) {
  if (icon_.get() != icon) icon_.reset(icon);
  if (added_) {
    if (!icon_) return RemoveIcon();
    NOTIFYICONDATAW record;
    FillRecord(record);
    Shell_NotifyIconW(NIM_MODIFY, &record);
  } else {
    AddIcon();
  }
}

void TrayIcon::AddIcon() {
  RemoveIcon();
  if (!icon_) return;
  clicks_.Reset();
  NOTIFYICONDATAW record;
  FillRecord(record);
  added_ = Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
  if (!added_) {
    SetTimer(window_, kAddAgainTimer, kAddAgainMs, nullptr);
    return;
  }
  record.uVersion = NOTIFYICON_VERSION_4;
  Shell_NotifyIconW(NIM_SETVERSION, &record);
  Shell_NotifyIconW(NIM_MODIFY, &record);  // every add is followed by a modify
  if (!balloon_.empty()) ShowBalloon();
}

void TrayIcon::RemoveIcon() {
  NOTIFYICONDATAW record;
  FillRecord(record);
  Shell_NotifyIconW(NIM_DELETE, &record);
  KillTimer(window_, kAddAgainTimer);
  added_ = false;
  clicks_.Reset();
}

void TrayIcon::OpenMenu(POINT at) {
  if (!menu_) return;
  ReleaseCapture();
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
  DispatchWaitingMessages(64);
  TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    const std::size_t command = LOWORD(wParam);
    if (command >= 1 && command <= menuItems_.size()) menuItems_[command - 1].chosen();
    return 0;
  }
  // The notification area was created anew (the shell restarted) and knows no icons: add
  // ours again, or the user would lose the menu for good.
  static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  if (message == taskbarCreated && taskbarCreated != 0) {
    if (icon_) AddIcon();
    return 0;
  }
  if (message == WM_TIMER && wParam == kAddAgainTimer) {
    if (icon_ && !added_) AddIcon();
    return 0;
  }
  if (message != kCallbackMessage || !enabled_)
    return WindowBase::OnMessage(message, wParam, lParam);
  // The current version puts the icon's id in the high word.
  const UINT mouse = LOWORD(lParam);
  const TrayMouse event = mouse == WM_RBUTTONDOWN ? TrayMouse::RightDown
                          : mouse == WM_RBUTTONUP ? TrayMouse::RightUp
                                                  : TrayMouse::Other;
  if (clicks_.OnMouse(event)) {
    POINT at{};
    GetCursorPos(&at);
    OpenMenu(at);
  }
  return 0;
}

}  // namespace qv
