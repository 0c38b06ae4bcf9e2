#pragma once
// The X11 program as a process: the signals that must not end it, its title, and the box its
// handlers' errors are told in.
#include <string>

#include "x11/base/event_loop.h"

namespace qv {

// The mail program's launcher is not waited for; a write to a display that has gone fails as
// a lost connection, which saves the clips, instead of SIGPIPE ending the program at once.
void IgnoreChildAndPipeSignals();
// Says that no X display could be opened; returns the exit code.
int TellNoDisplay();
// The application's title from the executable's name, capitalised as the Windows program's
// name is (executables here are named in lower case): "quorvanel" -> "Quorvanel".
std::string ProgramTitle();
// A handler's error is told in the standard message box, captioned `title`.
void TellErrorsInBoxes(EventLoop& loop, const std::string& title);

}  // namespace qv
