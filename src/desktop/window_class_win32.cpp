#include "desktop/window_class_win32.h"

namespace qv {

void RegisterWindowClass(const WindowClass& cls) {
  WNDCLASSA wc{};
  wc.style = cls.style;
  wc.lpfnWndProc = cls.procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = cls.background;
  wc.lpszClassName = cls.name;
  RegisterClassA(&wc);
}

}  // namespace qv
