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

}  // namespace qv
