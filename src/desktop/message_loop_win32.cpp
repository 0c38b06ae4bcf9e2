#include "desktop/message_loop_win32.h"

namespace qv {

namespace {
std::function<void(const MSG&)>& Preview() {
  static std::function<void(const MSG&)> preview;
  return preview;
}
}  // namespace

void SetMessagePreview(std::function<void(const MSG&)> preview) {
  Preview() = std::move(preview);
}

bool PumpMessage() {
  MSG msg;
  const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  if (got <= 0) {
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (Preview()) Preview()(msg);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

bool DispatchWaitingMessages(int limit) {
  MSG msg;
  for (int i = 0; i < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

}  // namespace qv
