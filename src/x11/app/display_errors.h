#pragma once
// Where the X11 program tells what went wrong: on the terminal before a display is open, in
// message boxes once it is.
#include <string>

#include "x11/base/event_loop.h"

namespace qv {

// Says that no X display could be opened; returns the exit code.
int TellNoDisplay();
// A handler's error is told in the standard message box, captioned `title`.
void TellErrorsInBoxes(EventLoop& loop, const std::string& title);

}  // namespace qv
