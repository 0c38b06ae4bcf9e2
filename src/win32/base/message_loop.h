#pragma once
// The program's message loop, shared by the main loop, modal dialogs and the paste's waits.
#include <windows.h>

#include <functional>

namespace qv {

// Sees every message before it is dispatched (the main window's keyboard preview).
void SetMessagePreview(std::function<void(const MSG&)> preview);
// In `dialog`, Tab and Shift+Tab move the focus among its tab stops in their order, as in a
// dialog box, and never reach a control (a multi-line field would type them).
void MoveFocusWithTab(HWND dialog);
// Waits for one message and dispatches it; false when the program is to end (WM_QUIT,
// which is posted again so that outer loops end too).
bool PumpMessage();
// Dispatches up to `limit` messages already waiting, without waiting for more; false when
// the program is to end (WM_QUIT, posted again).
bool DispatchWaitingMessages(int limit);
// Dispatches every message for `milliseconds`, so that the program answers Windows and the
// user meanwhile; false, at once, when the program is to end (WM_QUIT, posted again).
bool WaitHandlingMessages(int milliseconds);

}  // namespace qv
