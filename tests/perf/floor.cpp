// The least a hot-key pop-up can do: a hot key (F5, or the function key named on the command
// line, e.g. "F6") shows a 249 x 496 pop-up window; a slot key ("C", or any digit or letter)
// puts a fixed text on the clipboard and hides it. The latency benchmark measures the program
// against it.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr char kWindowClass[] = "QvPerfFloor";
constexpr char kWindowCaption[] = "Quorvanel Floor";
constexpr char kClipText[] = "floor clip text";
constexpr int kHotKeyId = 1;
constexpr int kWidth = 249;
constexpr int kHeight = 496;
// The pop-up's panel colour, so that a painted window can be told from an unpainted one.
constexpr COLORREF kPanelColour = RGB(0xE0, 0xC0, 0x70);

// "F1" to "F24" on the command line; F5 otherwise.
UINT HotKeyFromCommandLine(const char* commandLine) {
  if (commandLine && (commandLine[0] == 'F' || commandLine[0] == 'f')) {
    const int number = std::atoi(commandLine + 1);
    if (number >= 1 && number <= 24) return VK_F1 + static_cast<UINT>(number - 1);
  }
  return VK_F5;
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
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
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
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  UnregisterHotKey(window, kHotKeyId);
  return 0;
}
