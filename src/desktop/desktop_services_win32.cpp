#include "desktop/desktop_services_win32.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/app_error.h"
#include "desktop/controls_win32.h"
#include "desktop/message_dialog_win32.h"

namespace qv {

namespace {

// The platform error for a failed call, in the framework's words.
[[noreturn]] void ThrowLastError() {
  const DWORD code = GetLastError();
  if (code == 0) throw AppError("A Win32 API function failed");
  char buffer[512] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 buffer, sizeof buffer, nullptr);
  std::string text = buffer;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  throw AppError("Win32 Error.  Code: " + std::to_string(code) + ".\n" + text);
}

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return window != nullptr && process == GetCurrentProcessId();
}

// The clipboard, open while it lives. Another program may hold it for a moment: opening
// tries for about a quarter second.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) {
    constexpr int kTries = 10;
    for (int attempt = 0; attempt < kTries && !open_; ++attempt) {
      open_ = OpenClipboard(owner) != FALSE;
      if (!open_) Sleep(25);
    }
  }
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_ = false;
};

// Global memory of ours until the clipboard takes it.
struct GlobalDeleter {
  void operator()(void* memory) const { GlobalFree(memory); }
};
using UniqueGlobal = std::unique_ptr<void, GlobalDeleter>;

// Lets the system take in the input that has arrived, without handling any message: under
// Wine the key state and the foreground follow the X server only once its events are read.
void LetInputArrive() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace

void Win32DesktopServices::PutClipboardText(const std::string& text) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) throw AppError("Out of memory");
  if (void* bytes = GlobalLock(memory.get())) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.get());
  }
  const OpenClipboardScope clipboard(application_.Handle());
  if (!clipboard.IsOpen()) throw AppError("Cannot open clipboard");
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, memory.get())) memory.release();  // the clipboard's now
}

void Win32DesktopServices::InjectCtrlV() {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('V', 0, 0, 0);
  keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

void Win32DesktopServices::Wait(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds < 0 ? 0 : milliseconds));
}

std::int64_t Win32DesktopServices::Milliseconds() {
  return static_cast<std::int64_t>(GetTickCount64());
}

bool Win32DesktopServices::PasteTargetInFront() {
  LetInputArrive();
  if (!previousForeground_ || !IsWindow(previousForeground_)) return true;
  return GetForegroundWindow() == previousForeground_;
}

bool Win32DesktopServices::ModifierKeysHeld() {
  LetInputArrive();
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU})
    if (GetAsyncKeyState(key) & 0x8000) return true;
  return false;
}

bool Win32DesktopServices::CtrlHeld() {
  BYTE state[256] = {};
  GetKeyboardState(state);
  if (state[VK_CONTROL] & 0x80) return true;
  // A new thread's key table may not yet know of a key held before it started (Wine).
  return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
}

void Win32DesktopServices::TakeForeground() {
  HWND foreground = GetForegroundWindow();
  if (foreground && !IsOwnWindow(foreground)) previousForeground_ = foreground;
  const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD ownThread = GetCurrentThreadId();
  AttachThreadInput(foregroundThread, ownThread, TRUE);
  SetForegroundWindow(application_.Handle());
  AttachThreadInput(foregroundThread, ownThread, FALSE);
}

void Win32DesktopServices::RememberForeground() {
  HWND foreground = GetForegroundWindow();
  if (foreground && !IsOwnWindow(foreground)) previousForeground_ = foreground;
}

void Win32DesktopServices::RaiseWithoutStayingOnTop() {
  SetWindowPos(mainWindow_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(mainWindow_.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32DesktopServices::HideTaskbarButton() {
  ShowWindow(application_.Handle(), SW_HIDE);
}

void Win32DesktopServices::MinimiseApplication() {
  if (minimised_) return;
  minimised_ = true;
  // Minimising hides every shown form; each keeps counting as visible and comes back at
  // the restore. The activation goes back to the window that was in front.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM owner) -> BOOL {
        if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
            IsWindowVisible(window)) {
          SetPropA(window, kHiddenByMinimiseProp, reinterpret_cast<HANDLE>(1));
          ShowWindow(window, SW_HIDE);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(application_.Handle()));
  HWND foreground = GetForegroundWindow();
  if ((foreground == nullptr || IsOwnWindow(foreground)) && previousForeground_ &&
      IsWindow(previousForeground_))
    SetForegroundWindow(previousForeground_);
}

void Win32DesktopServices::RestoreApplication() {
  if (!minimised_) return;
  minimised_ = false;
  // The forms that minimising hid come back, without taking the activation.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        if (RemovePropA(window, kHiddenByMinimiseProp)) ShowWindow(window, SW_SHOWNA);
        return TRUE;
      },
      0);
}

void Win32DesktopServices::SetPointer(Point p) {
  if (!SetCursorPos(p.x, p.y)) ThrowLastError();
}

Point Win32DesktopServices::GetPointer() {
  POINT p{};
  if (!GetCursorPos(&p)) ThrowLastError();
  return {p.x, p.y};
}

Point Win32DesktopServices::DesktopSize() {
  return {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

MessageAnswer Win32DesktopServices::ShowMessage(MessageKind kind, const std::string& text,
                                                MessageButtons buttons) {
  return ShowMessageDialog(kind, text, buttons);
}

void Win32DesktopServices::OpenMailLink(const std::string& address) {
  // Owned by the window the user clicked in (the settings dialog), which stays on top.
  ShellExecuteA(GetActiveWindow(), "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace qv
