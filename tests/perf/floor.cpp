// The least a tray hot-key pop-up can do, for the end-to-end benchmark to measure the
// program against:
//   start-up  reads the three data files beside the exe, creates one hidden window,
//             registers the hot key (F5, or the function key named on the command line,
//             e.g. "F6") and adds a tray icon;
//   hot key   shows a 249 x 496 pop-up window and takes the foreground;
//   slot key  (any digit or letter) puts a fixed text on the clipboard, hides the window,
//             waits 100 ms and injects Ctrl+V;
//   close     (WM_CLOSE) writes the three files back and ends.
// With "prescribed" on the command line it also takes the steps the program's design
// prescribes, the same Windows calls in the same order, doing nothing else: an owner
// window made first, a hidden dialog with two filled drop-down combo boxes, the tray
// icon removed, added and modified, the pop-up shown at start and hidden again on its
// first activation with the foreground handed back; on the hot key the foreground is
// taken through the owner window before the pop-up shows, and the pointer is moved and
// the pop-up raised after. The benchmark then tells the cost of those steps from the
// program's own.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kWindowClass[] = "QvPerfFloor";
constexpr char kPlainClass[] = "QvPerfFloorPlain";  // the owner window and the dialog
constexpr char kWindowCaption[] = "Quorvanel Floor";
constexpr char kPrescribedCaption[] = "Quorvanel Floor Prescribed";
constexpr char kClipText[] = "floor clip text";
constexpr const char* kDataFiles[] = {"Lb1.qvl", "svclips.qvl", "prefs.qvl"};
constexpr int kHotKeyId = 1;
constexpr int kWidth = 249;
constexpr int kHeight = 496;
constexpr UINT kTrayMessage = WM_APP + 1;
constexpr DWORD kPasteDelayMs = 100;
// The pop-up's panel colour, so that a painted window can be told from an unpainted one.
constexpr COLORREF kPanelColour = RGB(0xE0, 0xC0, 0x70);

std::string g_files[3];
bool g_prescribed = false;
HWND g_owner = nullptr;         // "prescribed": the hidden owner window
HWND g_previous = nullptr;      // "prescribed": the foreground at start
bool g_firstActivation = true;  // "prescribed"

// "F1" to "F24" on the command line; F5 otherwise.
UINT HotKeyFromCommandLine(const char* commandLine) {
  if (commandLine && (commandLine[0] == 'F' || commandLine[0] == 'f')) {
    const int number = std::atoi(commandLine + 1);
    if (number >= 1 && number <= 24) return VK_F1 + static_cast<UINT>(number - 1);
  }
  return VK_F5;
}

// The files live beside the exe, like the program's.
std::string BesideExe(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string full = path;
  return full.substr(0, full.find_last_of('\\') + 1) + name;
}

std::string ReadFileBytes(const std::string& path) {
  std::string bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(GetFileSize(file, nullptr));
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD wrote = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(file);
}

void PutClipText(HWND owner) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof kClipText);
  if (!memory) return;
  std::memcpy(GlobalLock(memory), kClipText, sizeof kClipText);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);  // still ours when refused
  CloseClipboard();
}

void InjectCtrlV() {
  keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event('V', 0, 0, 0);
  keybd_event('V', 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
}

// The hidden dialog with its two filled, editable drop-down boxes.
void CreateDialogWithCombos(HINSTANCE instance) {
  HWND dialog = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, kPlainClass, "Settings",
                                WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 0, 0, 234, 145, g_owner,
                                nullptr, instance, nullptr);
  HFONT font =
      CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
  for (int box = 0; box < 2; ++box) {
    HWND combo = CreateWindowExA(WS_EX_CLIENTEDGE, "COMBOBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN, 6 + 113 * box,
                                 66, 105, 141, dialog, nullptr, instance, nullptr);
    SendMessageA(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    for (int item = 0; item < (box ? 9 : 16); ++item)
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Ctrl+Alt+Down"));
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
  }
}

void TakeForeground() {
  HWND foreground = GetForegroundWindow();
  const DWORD thread = GetWindowThreadProcessId(foreground, nullptr);
  AttachThreadInput(thread, GetCurrentThreadId(), TRUE);
  SetForegroundWindow(g_owner);
  AttachThreadInput(thread, GetCurrentThreadId(), FALSE);
}

void TrayIcon(HWND window, DWORD action) {
  NOTIFYICONDATAA record{};
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record.hWnd = window;
  record.uFlags = NIF_MESSAGE | NIF_ICON;
  record.uCallbackMessage = kTrayMessage;
  record.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  Shell_NotifyIconA(action, &record);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_HOTKEY:
      if (IsWindowVisible(window)) {
        ShowWindow(window, SW_HIDE);
      } else if (g_prescribed) {
        TakeForeground();
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        RECT r;
        GetWindowRect(window, &r);
        SetCursorPos(r.left + 246, r.top + 100);
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      } else {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);  // the slot key must reach this window
      }
      return 0;
    case WM_ACTIVATE:
      if (g_prescribed && LOWORD(wParam) != WA_INACTIVE && g_firstActivation) {
        g_firstActivation = false;
        ShowWindow(window, SW_HIDE);
        if (g_previous) SetForegroundWindow(g_previous);
      }
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_ACTIVATEAPP:
      if (g_prescribed && !wParam) ShowWindow(g_owner, SW_HIDE);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN:
      if ((wParam >= '0' && wParam <= '9') || (wParam >= 'A' && wParam <= 'Z')) {
        PutClipText(g_owner ? g_owner : window);
        ShowWindow(window, SW_HIDE);
        Sleep(kPasteDelayMs);
        InjectCtrlV();
      }
      return 0;
    case WM_CLOSE:
      for (int i = 0; i < 3; ++i) WriteFileBytes(BesideExe(kDataFiles[i]), g_files[i]);
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      TrayIcon(window, NIM_DELETE);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  g_prescribed = commandLine && std::strstr(commandLine, "prescribed");
  g_previous = GetForegroundWindow();
  WNDCLASSA cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = CreateSolidBrush(kPanelColour);
  cls.lpszClassName = kWindowClass;
  if (!RegisterClassA(&cls)) return 1;
  if (g_prescribed) {
    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = instance;
    plain.lpszClassName = kPlainClass;
    RegisterClassA(&plain);
    g_owner = CreateWindowExA(0, kPlainClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                              nullptr, nullptr, instance, nullptr);
  }
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window =
      CreateWindowExA(0, kWindowClass, g_prescribed ? kPrescribedCaption : kWindowCaption, WS_POPUP,
                      left, top, kWidth, kHeight, g_owner, nullptr, instance, nullptr);
  if (!window || !RegisterHotKey(window, kHotKeyId, 0, HotKeyFromCommandLine(commandLine)))
    return 1;
  if (g_prescribed) CreateDialogWithCombos(instance);
  for (int i = 0; i < 3; ++i) g_files[i] = ReadFileBytes(BesideExe(kDataFiles[i]));
  if (g_prescribed) TrayIcon(window, NIM_DELETE);
  TrayIcon(window, NIM_ADD);
  if (g_prescribed) {
    TrayIcon(window, NIM_MODIFY);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  UnregisterHotKey(window, kHotKeyId);
  return 0;
}
