#include "win32/base/message_loop.h"

#include <vector>

namespace qv {

namespace {

std::function<void(const MSG&)>& Preview() {
  static std::function<void(const MSG&)> preview;
  return preview;
}

std::vector<HWND>& TabDialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

bool KeyHeld(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

// A Tab key press in one of the dialogs: the focus moves and the key is used up. Ctrl+Tab
// stays the control's (a tab character in a multi-line field, as in any dialog box).
bool TabMovedFocus(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU))
    return false;
  for (HWND dialog : TabDialogs()) {
    if (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)) continue;
    HWND from = msg.hwnd;  // the dialog's own child (a combo box, not its edit part)
    while (from != dialog && GetParent(from) != dialog) from = GetParent(from);
    HWND next = GetNextDlgTabItem(dialog, from == dialog ? nullptr : from, KeyHeld(VK_SHIFT));
    const LONG_PTR style = next ? GetWindowLongPtrW(next, GWL_STYLE) : 0;
    if (next == from || !(style & WS_TABSTOP)) return true;
    SetFocus(next);
    // A one-line field is selected, as a dialog box does; the clip's text keeps its caret,
    // so that a key typed next cannot replace a whole clip.
    if (!(style & ES_MULTILINE) && (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL))
      SendMessageW(next, EM_SETSEL, 0, -1);
    return true;
  }
  return false;
}

void Dispatch(const MSG& msg) {
  if (Preview()) Preview()(msg);
  if (TabMovedFocus(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace

void SetMessagePreview(std::function<void(const MSG&)> preview) {
  Preview() = std::move(preview);
}

void MoveFocusWithTab(HWND dialog) {
  TabDialogs().push_back(dialog);
}

bool PumpMessage() {
  MSG msg;
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got <= 0) {
    if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  Dispatch(msg);
  return true;
}

bool DispatchWaitingMessages(int limit) {
  MSG msg;
  for (int i = 0; i < limit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

bool WaitHandlingMessages(int milliseconds) {
  const ULONGLONG deadline =
      GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
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
