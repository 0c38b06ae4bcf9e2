#include "win32/services/tray_icon.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>

#include "desktop/window_names.h"
#include "win32/base/message_loop.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {
// While the notification area is not there yet (Explorer still starting at log-on), the add
// is tried again this often: the tray is the only way to Settings, the editor and Quit.
constexpr UINT kAddAgainMs = 2000;

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

void TrayIcon::SetMenu(std::function<void(TrayCommand)> chosen) {
  chosen_ = std::move(chosen);
  menu_.reset(CreatePopupMenu());
  for (std::size_t i = 0; i < kTrayMenu.size(); ++i) {
    const UINT command = static_cast<UINT>(i + 1);
    AppendMenuW(menu_.get(), MF_STRING, command, Utf8ToWide(kTrayMenu[i].caption).c_str());
    menuPictures_.emplace_back(CreateMenuPicture(kTrayMenu[i].picture));
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
  balloonShown_ = true;
}

void TrayIcon::Leave(int lingerMs) {
  if (added_ && balloonShown_) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(lingerMs);
    for (ULONGLONG now = GetTickCount64(); now < until; now = GetTickCount64()) {
      // Windows' own questions (the session-end query) are still answered; nothing else runs.
      MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now), QS_SENDMESSAGE);
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
  RemoveIcon();
}

void TrayIcon::SetTip(const std::string& text) {
  tip_ = text;
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
  version4_ = Shell_NotifyIconW(NIM_SETVERSION, &record) != FALSE;
  clicks_.SetShellAsksForMenu(version4_);
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
  clicks_.MenuOpened();
  ReleaseCapture();
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
  DispatchWaitingMessages(64);
  TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_, nullptr);
  // Without it the menu may not close at the next click elsewhere, or open only every
  // second time (the menu's loop must see a message of this window after it ends).
  PostMessageW(window_, WM_NULL, 0, 0);
  clicks_.MenuClosed();
  if (IsWindowEnabled(window_)) SetForegroundWindow(window_);
}

LRESULT TrayIcon::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    const std::size_t command = LOWORD(wParam);
    if (command >= 1 && command <= kTrayMenu.size() && chosen_)
      chosen_(kTrayMenu[command - 1].command);
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
  // The current version puts the icon's id in the high word, and the place to open the
  // menu at (the pointer, or the icon when the keyboard asked) in wParam.
  const UINT mouse = LOWORD(lParam);
  TrayMouse event = TrayMouse::Other;
  switch (mouse) {
    case WM_RBUTTONDOWN:
      event = TrayMouse::RightDown;
      break;
    case WM_RBUTTONUP:
      event = TrayMouse::RightUp;
      break;
    case WM_LBUTTONUP:
      event = TrayMouse::LeftUp;
      break;
    case WM_CONTEXTMENU:
      event = TrayMouse::ContextMenu;
      break;
    case NIN_KEYSELECT:
      event = TrayMouse::KeySelect;
      break;
    case NIN_SELECT:
      event = TrayMouse::Select;
      break;
    default:
      break;
  }
  if (clicks_.OnMouse(event)) {
    POINT at{};
    if (version4_ && event != TrayMouse::RightUp)
      at = {GET_X_LPARAM(wParam), GET_Y_LPARAM(wParam)};
    else
      GetCursorPos(&at);
    OpenMenu(at);
  }
  return 0;
}

}  // namespace qv
