// The least a tray hot-key pop-up can do, for the end-to-end benchmark to measure the
// program against:
//   start-up  reads the three data files beside the exe, creates one hidden window,
//             registers the hot key (F5, or the function key named on the command line,
//             e.g. "F6") and adds a tray icon;
//   hot key   shows a 249 x 496 pop-up window and takes the foreground;
//   slot key  (any digit or letter) puts a fixed text on the clipboard, hides the window,
//             waits 100 ms and injects Ctrl+V;
//   close     (WM_CLOSE) writes the three files back and ends.
#include <windows.h>

#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kWindowClass[] = "QvPerfFloor";
constexpr char kWindowCaption[] = "Quorvanel Floor";
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
      } else {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);  // the slot key must reach this window
      }
      return 0;
    case WM_KEYDOWN:
      if ((wParam >= '0' && wParam <= '9') || (wParam >= 'A' && wParam <= 'Z')) {
        PutClipText(window);
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
  for (int i = 0; i < 3; ++i) g_files[i] = ReadFileBytes(BesideExe(kDataFiles[i]));
  WNDCLASSA cls{};
  cls.lpfnWndProc = WindowProc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.hbrBackground = CreateSolidBrush(kPanelColour);
  cls.lpszClassName = kWindowClass;
  if (!RegisterClassA(&cls)) return 1;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(0, kWindowClass, kWindowCaption, WS_POPUP, left, top, kWidth,
                                kHeight, nullptr, nullptr, instance, nullptr);
  if (!window || !RegisterHotKey(window, kHotKeyId, 0, HotKeyFromCommandLine(commandLine)))
    return 1;
  TrayIcon(window, NIM_ADD);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  UnregisterHotKey(window, kHotKeyId);
  return 0;
}
