// qvprobe: a small console tool that the end-to-end tests run under Wine to look into the
// running program the way any Windows tool could: find its windows, read their state, read
// and set the clipboard, answer message boxes.
//
// Exit codes: 0 done / condition true, 1 condition false or timed out, 2 usage error or the
// window was not found. Text output ends lines with LF only.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kDone = 0;
constexpr int kFalse = 1;
constexpr int kError = 2;
constexpr DWORD kDefaultWaitMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 5000;

int Usage() {
  std::fputs(
      "usage: qvprobe COMMAND ARGS\n"
      "  wait-window CLASS [ms]        wait-gone CLASS [ms]\n"
      "  wait-visible CLASS [ms]       wait-hidden CLASS [ms]\n"
      "  visible CLASS                 topmost CLASS\n"
      "  iconic CLASS                  wait-iconic CLASS [ms]\n"
      "  wait-hidden-steady CLASS [ms] [steady-ms]   watch CLASS [ms]\n"
      "  wait-settled CLASS APPCLASS [ms] [steady-ms]\n"
      "  rect CLASS                    window-text CLASS [CTRLID]\n"
      "  items CLASS CTRLID            topindex CLASS CTRLID\n"
      "  set-topindex CLASS CTRLID N   selection CLASS CTRLID\n"
      "  close CLASS                   query-end-session CLASS\n"
      "  end-session CLASS 0|1         (WM_ENDSESSION: whether the session ends)\n"
      "  command CLASS ID              (a menu command posted as WM_COMMAND)\n"
      "  post CLASS MSG WPARAM LPARAM  (as the shell posts; 0x for hex)\n"
      "  hold-file PATH MS             (open for writing, as another program would)\n"
      "  clipboard                     set-clipboard TEXT | set-clipboard-hex HEX\n"
      "  clipboard-dword FORMATNAME    (a registered format's DWORD, or none)\n"
      "  message-box CAPTION [ms] [BUTTON]   message-text CAPTION [ms]\n"
      "  count-message-boxes CAPTION   wait-no-message-box CAPTION [ms]\n"
      "  foreground                    windows\n"
      "  hold-hot-key VK [ms]          broadcast-registered NAME\n"
      "  visible-text CLASS [ms]\n",
      stderr);
  return kError;
}

DWORD ParseMs(int argc, char** argv, int index) {
  return index < argc ? static_cast<DWORD>(std::strtoul(argv[index], nullptr, 10)) : kDefaultWaitMs;
}

// Polls `condition` until it holds or `timeoutMs` passes.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition condition) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

HWND FindTopLevel(const char* className) {
  return FindWindowA(className, nullptr);
}

HWND FindOrComplain(const char* className) {
  HWND window = FindTopLevel(className);
  if (!window) std::fprintf(stderr, "qvprobe: no window of class %s\n", className);
  return window;
}

HWND FindControl(HWND parent, int controlId) {
  // Controls may sit inside a panel, so search the whole tree, not only direct children.
  struct Search {
    int id;
    HWND found;
  } search{controlId, nullptr};
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (GetDlgCtrlID(child) == s->id) {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// QV_PROBE_UTF8=1: text is read and set as Unicode and shown as UTF-8, not in the ANSI code
// page (window texts, list items, the clipboard).
bool Utf8Mode() {
  const char* mode = std::getenv("QV_PROBE_UTF8");
  return mode && *mode == '1';
}

std::string WideToUtf8(const wchar_t* wide, int length) {
  std::string bytes(WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr), 0);
  WideCharToMultiByte(CP_UTF8, 0, wide, length, bytes.data(), bytes.size(), nullptr, nullptr);
  return bytes;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             result) != 0;
}

// Printable ASCII as is; everything else (and the backslash) as \xNN.
std::string Escape(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", c);
      out += code;
    }
  }
  return out;
}

std::string Hex(const char* bytes, size_t length) {
  std::string out;
  char code[4];
  for (size_t i = 0; i < length; ++i) {
    std::snprintf(code, sizeof code, "%02x", static_cast<unsigned char>(bytes[i]));
    out += code;
  }
  return out;
}

bool Unhex(const std::string& hex, std::string& bytes) {
  if (hex.size() % 2 != 0) return false;
  for (size_t i = 0; i < hex.size(); i += 2) {
    char* end = nullptr;
    const std::string pair = hex.substr(i, 2);
    const long value = std::strtol(pair.c_str(), &end, 16);
    if (*end != '\0') return false;
    bytes += static_cast<char>(value);
  }
  return true;
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (Utf8Mode()) {
    std::vector<wchar_t> wide(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
    const auto copied = SendMessageW(window, WM_GETTEXT, wide.size(), (LPARAM)wide.data());
    return WideToUtf8(wide.data(), static_cast<int>(copied));
  }
  if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return "";
  std::vector<char> buffer(length + 1, '\0');
  DWORD_PTR copied = 0;
  Send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), &copied);
  return std::string(buffer.data(), copied);
}

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

// Top-level dialog boxes ("#32770") with the given caption, in z-order.
std::vector<HWND> MessageBoxes(const char* caption) {
  struct Search {
    const char* caption;
    std::vector<HWND> found;
  } search{caption, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        if (IsWindowVisible(window) && ClassOf(window) == "#32770") {
          char text[512] = "";
          GetWindowTextA(window, text, sizeof text);
          if (std::strcmp(text, s->caption) == 0) s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (lstrcmpiA(ClassOf(child).c_str(), className) == 0) found.push_back(child);
  }
  return found;
}

// The message text of a box: its first static control that holds text (the icon is a
// static without text).
std::string MessageBoxText(HWND box) {
  for (HWND label : ChildrenOfClass(box, "Static")) {
    std::string text = WindowText(label);
    if (!text.empty()) return text;
  }
  return "";
}

// The box's first visible button, or the visible button whose caption (ignoring "&") is
// `wanted`.
HWND MessageBoxButton(HWND box, const char* wanted) {
  for (HWND button : ChildrenOfClass(box, "Button")) {
    if (!IsWindowVisible(button)) continue;
    if (!wanted) return button;
    std::string caption;
    for (char c : WindowText(button)) {
      if (c != '&') caption += c;
    }
    if (lstrcmpiA(caption.c_str(), wanted) == 0) return button;
  }
  return nullptr;
}

int CmdWaitWindow(const char* className, DWORD ms, bool present) {
  return WaitFor(ms, [&] { return (FindTopLevel(className) != nullptr) == present; }) ? kDone
                                                                                      : kFalse;
}

int CmdWaitVisible(const char* className, DWORD ms, bool visible) {
  return WaitFor(ms,
                 [&] {
                   HWND window = FindTopLevel(className);
                   return window && (IsWindowVisible(window) != FALSE) == visible;
                 })
             ? kDone
             : kFalse;
}

// Waits until the window exists and is hidden, and either `appClass`'s window is minimised
// or the window has stayed hidden for `steadyMs` (pass no `appClass` for the latter alone).
int CmdWaitSettled(const char* className, const char* appClass, DWORD ms, DWORD steadyMs) {
  ULONGLONG hiddenSince = 0;
  return WaitFor(ms,
                 [&] {
                   HWND window = FindTopLevel(className);
                   if (!window || IsWindowVisible(window)) {
                     hiddenSince = 0;
                     return false;
                   }
                   HWND app = appClass ? FindTopLevel(appClass) : nullptr;
                   if (app && IsIconic(app)) return true;
                   const ULONGLONG now = GetTickCount64();
                   if (!hiddenSince) hiddenSince = now;
                   return now - hiddenSince >= steadyMs;
                 })
             ? kDone
             : kFalse;
}

// Prints each change of the window's existence and visibility for `ms`: a debugging aid.
int CmdWatch(const char* className, DWORD ms) {
  const ULONGLONG start = GetTickCount64();
  int last = -2;
  while (GetTickCount64() - start < ms) {
    HWND window = FindTopLevel(className);
    const int state = window ? (IsWindowVisible(window) ? 1 : 0) : -1;
    if (state != last) {
      std::printf("%6llu ms %s\n", GetTickCount64() - start,
                  state < 0 ? "absent"
                  : state   ? "visible"
                            : "hidden");
      std::fflush(stdout);
      last = state;
    }
    Sleep(2);
  }
  return kDone;
}

int CmdWaitIconic(const char* className, DWORD ms) {
  return WaitFor(ms,
                 [&] {
                   HWND window = FindTopLevel(className);
                   return window && IsIconic(window);
                 })
             ? kDone
             : kFalse;
}

int CmdIconic(const char* className) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  const bool iconic = IsIconic(window);
  std::puts(iconic ? "1" : "0");
  return iconic ? kDone : kFalse;
}

int CmdVisible(const char* className) {
  // A window not made yet is not visible either.
  HWND window = FindTopLevel(className);
  const bool visible = window && IsWindowVisible(window);
  std::puts(visible ? "1" : "0");
  return visible ? kDone : kFalse;
}

int CmdTopmost(const char* className) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  const bool topmost = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  std::puts(topmost ? "1" : "0");
  return topmost ? kDone : kFalse;
}

int CmdRect(const char* className) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  RECT r{};
  GetWindowRect(window, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return kDone;
}

int CmdWindowText(const char* className, int argc, char** argv) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  if (argc > 3) {
    window = FindControl(window, std::atoi(argv[3]));
    if (!window) {
      std::fprintf(stderr, "qvprobe: no control %s in %s\n", argv[3], className);
      return kError;
    }
  }
  std::printf("%s\n", Escape(WindowText(window)).c_str());
  return kDone;
}

HWND FindListOrComplain(const char* className, const char* controlId) {
  HWND window = FindOrComplain(className);
  if (!window) return nullptr;
  HWND list = FindControl(window, std::atoi(controlId));
  if (!list) std::fprintf(stderr, "qvprobe: no control %s in %s\n", controlId, className);
  return list;
}

// Wine hands a cross-process LB_GETTEXT sent through the ANSI API back in UTF-16, so the
// items are read as wide text and turned back into the ANSI code page they came from.
std::string ListItem(HWND list, DWORD_PTR index) {
  DWORD_PTR length = 0;
  Send(list, LB_GETTEXTLEN, index, 0, &length);
  if (static_cast<LRESULT>(length) == LB_ERR) return "";
  std::vector<wchar_t> wide(2 * length + 2, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()),
                           SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied) ||
      static_cast<LRESULT>(copied) == LB_ERR) {
    return "";
  }
  const int wideLength = static_cast<int>(std::min<DWORD_PTR>(copied, wide.size() - 1));
  if (Utf8Mode()) return WideToUtf8(wide.data(), wideLength);
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

int CmdItems(const char* className, const char* controlId) {
  HWND list = FindListOrComplain(className, controlId);
  if (!list) return kError;
  DWORD_PTR count = 0;
  if (!Send(list, LB_GETCOUNT, 0, 0, &count)) return kError;
  for (DWORD_PTR i = 0; i < count; ++i) {
    std::printf("%s\n", Escape(ListItem(list, i)).c_str());
  }
  return kDone;
}

int CmdListValue(const char* className, const char* controlId, UINT message) {
  HWND list = FindListOrComplain(className, controlId);
  if (!list) return kError;
  DWORD_PTR value = 0;
  if (!Send(list, message, 0, 0, &value)) return kError;
  std::printf("%ld\n", static_cast<long>(static_cast<LRESULT>(value)));
  return kDone;
}

int CmdSetTopIndex(const char* className, const char* controlId, const char* index) {
  HWND list = FindListOrComplain(className, controlId);
  if (!list) return kError;
  DWORD_PTR result = 0;
  return Send(list, LB_SETTOPINDEX, std::atoi(index), 0, &result) ? kDone : kError;
}

int CmdClose(const char* className) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  return PostMessageA(window, WM_CLOSE, 0, 0) ? kDone : kError;
}

// Posts a message as another program (the shell) would: numbers in decimal or 0x hex.
int CmdPost(const char* className, char** n) {
  HWND window = FindOrComplain(className);
  const auto at = [n](int i) { return std::strtoull(n[i], nullptr, 0); };
  const bool posted = window && PostMessageA(window, UINT(at(0)), at(1), LPARAM(at(2)));
  return posted ? kDone : kError;
}

// Keeps a file open for writing for `ms`, as another program editing it would: readers that
// do not share writing cannot open it meanwhile.
int CmdHoldFile(const char* path, DWORD ms) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kError;
  std::puts("held");
  std::fflush(stdout);
  Sleep(ms);
  CloseHandle(file);
  return kDone;
}

// Chooses a menu command of a window as its menu would: WM_COMMAND with the item's id.
int CmdCommand(const char* className, const char* id) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  return PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(std::atoi(id)), 0) ? kDone : kError;
}

int CmdQueryEndSession(const char* className) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  DWORD_PTR answer = 0;
  if (!Send(window, WM_QUERYENDSESSION, 0, 0, &answer)) {
    std::fputs("qvprobe: no answer to WM_QUERYENDSESSION\n", stderr);
    return kError;
  }
  std::printf("%ld\n", static_cast<long>(static_cast<LRESULT>(answer)));
  return kDone;
}

// Tells the program whether the session ends after all, as Windows does after the query;
// posted, as what follows may be a message box.
int CmdEndSession(const char* className, const char* ending) {
  HWND window = FindOrComplain(className);
  if (!window) return kError;
  return PostMessageA(window, WM_ENDSESSION, std::atoi(ending), 0) ? kDone : kError;
}

bool OpenClipboardRetrying() {
  // Another process may hold the clipboard for a moment.
  return WaitFor(2000, [] { return OpenClipboard(nullptr) != FALSE; });
}

int CmdClipboard() {
  if (!OpenClipboardRetrying()) return kError;
  std::string hex;
  if (HANDLE data = Utf8Mode() ? GetClipboardData(CF_UNICODETEXT) : nullptr) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      const std::string bytes = WideToUtf8(text, static_cast<int>(std::wcslen(text)));
      hex = Hex(bytes.data(), bytes.size());
      GlobalUnlock(data);
    }
  } else if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* text = static_cast<const char*>(GlobalLock(data))) {
      hex = Hex(text, std::strlen(text));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::printf("%s\n", hex.c_str());
  return kDone;
}

int CmdClipboardDword(const char* name) {
  if (!OpenClipboardRetrying()) return kError;
  const HANDLE data = GetClipboardData(RegisterClipboardFormatA(name));
  const auto* value = data ? static_cast<const DWORD*>(GlobalLock(data)) : nullptr;
  std::printf(value ? "%lu\n" : "none\n", value ? static_cast<unsigned long>(*value) : 0UL);
  if (value) GlobalUnlock(data);
  return CloseClipboard() ? kDone : kError;
}

int CmdSetClipboard(const std::string& bytes) {
  std::string text = bytes;
  if (Utf8Mode()) {  // as UTF-16, NUL included
    text.assign(2 * MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, nullptr, 0), '\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.c_str(), -1, (wchar_t*)text.data(), text.size() / 2);
    text.pop_back();
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) return kError;
  std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  if (!OpenClipboardRetrying()) {
    GlobalFree(memory);
    return kError;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(Utf8Mode() ? CF_UNICODETEXT : CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(memory);
  return placed ? kDone : kError;
}

int CmdMessageBox(const char* caption, DWORD ms, const char* button) {
  HWND box = nullptr;
  if (!WaitFor(ms, [&] {
        std::vector<HWND> boxes = MessageBoxes(caption);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
      })) {
    std::fprintf(stderr, "qvprobe: no message box \"%s\"\n", caption);
    return kFalse;
  }
  std::printf("%s\n", Escape(MessageBoxText(box)).c_str());
  std::fflush(stdout);
  HWND target = MessageBoxButton(box, button);
  if (!target) {
    std::fprintf(stderr, "qvprobe: no button \"%s\"\n", button ? button : "(first)");
    return kError;
  }
  // The same command a click sends; posting it cannot block on the program.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
               reinterpret_cast<LPARAM>(target));
  return kDone;
}

int CmdMessageText(const char* caption, DWORD ms) {
  HWND box = nullptr;
  if (!WaitFor(ms, [&] {
        std::vector<HWND> boxes = MessageBoxes(caption);
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
      })) {
    return kFalse;
  }
  std::printf("%s\n", Escape(MessageBoxText(box)).c_str());
  return kDone;
}

int CmdForeground() {
  HWND window = GetForegroundWindow();
  if (!window) {
    std::puts("");
    return kFalse;
  }
  char caption[256] = "";
  GetWindowTextA(window, caption, sizeof caption);
  std::printf("%s %s\n", ClassOf(window).c_str(), Escape(caption).c_str());
  return kDone;
}

// Lists the top-level windows: a debugging aid for writing tests.
int CmdWindows() {
  EnumWindows(
      [](HWND window, LPARAM) -> BOOL {
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        RECT r{};
        GetWindowRect(window, &r);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        std::printf("%p pid=%lu visible=%d class=%s rect=%ld,%ld,%ld,%ld caption=%s\n",
                    static_cast<void*>(window), process, IsWindowVisible(window) ? 1 : 0,
                    ClassOf(window).c_str(), r.left, r.top, r.right, r.bottom,
                    Escape(caption).c_str());
        return TRUE;
      },
      0);
  return kDone;
}

// Waits for a shown top-level window of the class (a tooltip, say: hidden ones of the same
// class are passed over) and prints its text.
int CmdVisibleText(const char* className, DWORD ms) {
  HWND found = nullptr;
  const auto search = [&] {
    found = nullptr;
    for (HWND w = FindWindowExA(nullptr, nullptr, className, nullptr); w && !found;
         w = FindWindowExA(nullptr, w, className, nullptr)) {
      if (IsWindowVisible(w)) found = w;
    }
    return found != nullptr;
  };
  if (!WaitFor(ms, search)) return kFalse;
  std::printf("%s\n", Escape(WindowText(found)).c_str());
  return kDone;
}

// Registers the hot key VK (no modifiers) for this process, as another program would, and
// keeps it for `ms` or until ended. Prints "held" once it is registered; exit 1 if refused.
int CmdHoldHotKey(unsigned virtualKey, DWORD ms) {
  if (!RegisterHotKey(nullptr, 1, 0, virtualKey)) {
    std::printf("refused %lu\n", GetLastError());
    return kFalse;
  }
  std::puts("held");
  std::fflush(stdout);
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (GetTickCount64() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(kPollMs);
  }
  UnregisterHotKey(nullptr, 1);
  return kDone;
}

// Posts a registered window message (such as "TaskbarCreated") to every top-level window.
int CmdBroadcastRegistered(const char* name) {
  const UINT message = RegisterWindowMessageA(name);
  return message && PostMessageA(HWND_BROADCAST, message, 0, 0) ? kDone : kError;
}

int Run(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  auto need = [&](int count) { return argc >= 2 + count; };

  if (command == "clipboard") return CmdClipboard();
  if (command == "foreground") return CmdForeground();
  if (command == "windows") return CmdWindows();
  if (!need(1)) return Usage();
  const char* arg = argv[2];
  if (command == "wait-window") return CmdWaitWindow(arg, ParseMs(argc, argv, 3), true);
  if (command == "wait-gone") return CmdWaitWindow(arg, ParseMs(argc, argv, 3), false);
  if (command == "wait-visible") return CmdWaitVisible(arg, ParseMs(argc, argv, 3), true);
  if (command == "wait-hidden") return CmdWaitVisible(arg, ParseMs(argc, argv, 3), false);
  if (command == "wait-hidden-steady") {
    return CmdWaitSettled(arg, nullptr, ParseMs(argc, argv, 3),
                          argc > 4 ? std::strtoul(argv[4], nullptr, 10) : 1000);
  }
  if (command == "wait-settled" && need(2)) {
    return CmdWaitSettled(arg, argv[3], ParseMs(argc, argv, 4),
                          argc > 5 ? std::strtoul(argv[5], nullptr, 10) : 1000);
  }
  if (command == "hold-hot-key") {
    return CmdHoldHotKey(std::strtoul(arg, nullptr, 0), ParseMs(argc, argv, 3));
  }
  if (command == "broadcast-registered") return CmdBroadcastRegistered(arg);
  if (command == "visible-text") return CmdVisibleText(arg, ParseMs(argc, argv, 3));
  if (command == "watch") return CmdWatch(arg, ParseMs(argc, argv, 3));
  if (command == "wait-iconic") return CmdWaitIconic(arg, ParseMs(argc, argv, 3));
  if (command == "visible") return CmdVisible(arg);
  if (command == "iconic") return CmdIconic(arg);
  if (command == "topmost") return CmdTopmost(arg);
  if (command == "rect") return CmdRect(arg);
  if (command == "window-text") return CmdWindowText(arg, argc, argv);
  if (command == "close") return CmdClose(arg);
  if (command == "post" && need(4)) return CmdPost(arg, argv + 3);
  if (command == "query-end-session") return CmdQueryEndSession(arg);
  if (command == "end-session" && need(2)) return CmdEndSession(arg, argv[3]);
  if (command == "set-clipboard") return CmdSetClipboard(arg);
  if (command == "clipboard-dword") return CmdClipboardDword(arg);
  if (command == "set-clipboard-hex") {
    std::string bytes;
    return Unhex(arg, bytes) ? CmdSetClipboard(bytes) : Usage();
  }
  if (command == "message-box") {
    return CmdMessageBox(arg, ParseMs(argc, argv, 3), argc > 4 ? argv[4] : nullptr);
  }
  if (command == "message-text") return CmdMessageText(arg, ParseMs(argc, argv, 3));
  if (command == "count-message-boxes") {
    std::printf("%zu\n", MessageBoxes(arg).size());
    return kDone;
  }
  if (command == "wait-no-message-box") {
    return WaitFor(ParseMs(argc, argv, 3), [&] { return MessageBoxes(arg).empty(); }) ? kDone
                                                                                      : kFalse;
  }
  if (!need(2)) return Usage();
  if (command == "items") return CmdItems(arg, argv[3]);
  if (command == "command") return CmdCommand(arg, argv[3]);
  if (command == "hold-file") return CmdHoldFile(arg, ParseMs(argc, argv, 3));
  if (command == "topindex") return CmdListValue(arg, argv[3], LB_GETTOPINDEX);
  if (command == "selection") return CmdListValue(arg, argv[3], LB_GETCURSEL);
  if (!need(3)) return Usage();
  if (command == "set-topindex") return CmdSetTopIndex(arg, argv[3], argv[4]);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  // Plain LF line ends, so that shell scripts read the output as they read any tool's.
  _setmode(_fileno(stdout), _O_BINARY);
  const int status = Run(argc, argv);
  std::fflush(stdout);
  return status;
}
