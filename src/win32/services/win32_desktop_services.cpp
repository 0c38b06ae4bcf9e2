#include "win32/services/win32_desktop_services.h"

#include <shellapi.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "base/app_error.h"
#include "win32/base/handles.h"
#include "win32/base/message_loop.h"
#include "win32/base/wide_text.h"
#include "win32/kit/message_dialog.h"
#include "win32/kit/win32_controls.h"

namespace qv {

namespace {

// The platform error for a failed call, in the framework's words.
[[noreturn]] void ThrowLastError() {
  const DWORD code = GetLastError();
  if (code == 0) throw AppError("A Win32 API function failed");
  wchar_t buffer[512] = {};
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 buffer, sizeof buffer / sizeof *buffer, nullptr);
  std::string text = WideToUtf8(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  throw AppError("Win32 Error.  Code: " + std::to_string(code) + ".\n" + text);
}

bool IsOwnWindow(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return window != nullptr && process == GetCurrentProcessId();
}

// The clipboard, open while it lives; one attempt, as the caller waits between them.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
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

UniqueGlobal GlobalBlock(const void* data, std::size_t size) {
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
  if (!memory) throw AppError("Out of memory");
  if (void* bytes = GlobalLock(memory.get())) {
    std::memcpy(bytes, data, size);
    GlobalUnlock(memory.get());
  }
  return memory;
}

void HandToClipboard(UINT format, UniqueGlobal& memory) {
  if (SetClipboardData(format, memory.get())) memory.release();  // the clipboard's now
}

// The window answers at once: attaching our input to a hung program's would hang us too.
bool Responds(HWND window) {
  DWORD_PTR result = 0;
  return !IsHungAppWindow(window) &&
         SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 100, &result);
}

// The mandatory integrity level in a process's token; none where the token has none.
std::optional<IntegrityLevel> ProcessIntegrity(HANDLE process) {
  HANDLE opened = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &opened)) return std::nullopt;
  const UniqueHandle token(opened);
  alignas(TOKEN_MANDATORY_LABEL) BYTE label[sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  std::optional<IntegrityLevel> level;
  if (GetTokenInformation(token.get(), TokenIntegrityLevel, label, sizeof label, &size)) {
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label)->Label.Sid;
    if (IsValidSid(sid) && *GetSidSubAuthorityCount(sid) > 0)
      level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1U);
  }
  return level;
}

// Lets the system take in the input that has arrived, without handling any message: under
// Wine the key state and the foreground follow the X server only once its events are read.
void LetInputArrive() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace

// The text as Unicode first, so that no character is lost; beside it as 8-bit text in the
// ANSI code page, for programs that read only that, with the locale that names it. A clip may
// be a password: Windows is told to keep it out of the clipboard history (Win+V) and off the
// cloud clipboard.
bool Win32DesktopServices::PutClipboardText(const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  UniqueGlobal unicode = GlobalBlock(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
  const int length = static_cast<int>(wide.size());
  std::string ansi(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), length,
                                                                nullptr, 0, nullptr, nullptr)),
                   '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), length, ansi.data(), static_cast<int>(ansi.size()),
                      nullptr, nullptr);
  UniqueGlobal bytes = GlobalBlock(ansi.c_str(), ansi.size() + 1);
  const LCID locale = GetSystemDefaultLCID();  // the locale whose code page CP_ACP is
  UniqueGlobal localeId = GlobalBlock(&locale, sizeof locale);
  const DWORD no = 0;
  UniqueGlobal noHistory = GlobalBlock(&no, sizeof no), noCloud = GlobalBlock(&no, sizeof no);
  const OpenClipboardScope clipboard(application_.Handle());
  if (!clipboard.IsOpen()) return false;
  EmptyClipboard();
  HandToClipboard(CF_UNICODETEXT, unicode);
  HandToClipboard(CF_TEXT, bytes);
  HandToClipboard(CF_LOCALE, localeId);
  HandToClipboard(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), noHistory);
  HandToClipboard(RegisterClipboardFormatW(L"CanUploadToCloudClipboard"), noCloud);
  return true;
}

std::size_t Win32DesktopServices::SendKeys(const std::vector<KeyStroke>& keys) {
  std::vector<INPUT> inputs;
  for (const KeyStroke& key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key.virtualKey);
    // Remote desktops, virtual machines and some programs read the scan code only.
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key.virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (key.up ? KEYEVENTF_KEYUP : 0) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    inputs.push_back(input);
  }
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Win32DesktopServices::Wait(int milliseconds) {
  return WaitHandlingMessages(milliseconds);
}

std::int64_t Win32DesktopServices::Milliseconds() {
  return static_cast<std::int64_t>(GetTickCount64());
}

bool Win32DesktopServices::PasteTargetInFront() {
  LetInputArrive();
  HWND foreground = GetForegroundWindow();
  if (!previousForeground_) return foreground && !IsOwnWindow(foreground);
  return IsWindow(previousForeground_) && foreground == previousForeground_;
}

bool Win32DesktopServices::ProgramHasForeground() {
  return IsOwnWindow(GetForegroundWindow());
}

std::optional<IntegrityLevel> Win32DesktopServices::ForegroundIntegrity() {
  DWORD processId = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &processId);
  if (processId == 0) return std::nullopt;
  const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) {
    // Only a process above ours refuses a question this small.
    if (GetLastError() == ERROR_ACCESS_DENIED) return std::numeric_limits<IntegrityLevel>::max();
    return std::nullopt;
  }
  return ProcessIntegrity(process.get());
}

std::optional<IntegrityLevel> Win32DesktopServices::OwnIntegrity() {
  return ProcessIntegrity(GetCurrentProcess());
}

bool Win32DesktopServices::KeyDown(unsigned virtualKey) {
  LetInputArrive();
  return (GetAsyncKeyState(static_cast<int>(virtualKey)) & 0x8000) != 0;
}

void Win32DesktopServices::TakeForeground() {
  HWND foreground = GetForegroundWindow();
  if (foreground && !IsOwnWindow(foreground)) previousForeground_ = foreground;
  // The hot key gives this program the right to take the foreground; attaching to the input
  // of the window in front is the fallback, never taken with a program that does not answer.
  if (SetForegroundWindow(application_.Handle()) || !foreground || !Responds(foreground)) return;
  const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
  const DWORD ownThread = GetCurrentThreadId();
  if (foregroundThread == ownThread) return;
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
          SetPropW(window, kHiddenByMinimiseProp, reinterpret_cast<HANDLE>(1));
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
        if (RemovePropW(window, kHiddenByMinimiseProp)) ShowWindow(window, SW_SHOWNA);
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

MessageAnswer Win32DesktopServices::ShowMessage(MessageKind kind, const std::string& text,
                                                MessageButtons buttons) {
  return ShowMessageDialog(kind, text, buttons);
}

void Win32DesktopServices::OpenMailLink(const std::string& address) {
  // Owned by the window the user clicked in (the settings dialog), which stays on top.
  ShellExecuteW(GetActiveWindow(), L"open", Utf8ToWide(address).c_str(), nullptr, nullptr,
                SW_SHOWNORMAL);
}

}  // namespace qv
