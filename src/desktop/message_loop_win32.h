#pragma once
// The program's message loop, shared by the main loop, modal dialogs and the paste's waits.
#include <windows.h>

#include <functional>

namespace qv {

// Sees every message before it is dispatched (the main window's keyboard preview).
void SetMessagePreview(std::function<void(const MSG&)> preview);
// Waits for one message and dispatches it; false when the program is to end (WM_QUIT,
// which is posted again so that outer loops end too).
bool PumpMessage();
// Dispatches every message for `milliseconds`, so that the program answers Windows and the
// user meanwhile; false, at once, when the program is to end (WM_QUIT, posted again).
bool WaitHandlingMessages(int milliseconds);

}  // namespace qv
