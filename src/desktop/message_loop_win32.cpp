#include "desktop/message_loop_win32.h"

namespace qv {

namespace {
std::function<void(const MSG&)>& Preview() {
  static std::function<void(const MSG&)> preview;
  return preview;
}

void Dispatch(const MSG& msg) {
  if (Preview()) Preview()(msg);
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
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
  Dispatch(msg);
  return true;
}

bool WaitHandlingMessages(int milliseconds) {
  const ULONGLONG deadline =
      GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      Dispatch(msg);
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return true;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
  }
}

}  // namespace qv
