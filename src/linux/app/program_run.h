#pragma once
// What every Linux front end does with the program once its objects are made: the save at
// the end of the session, start-up's last steps and the loop.
#include <functional>

#include "app/program.h"
#include "linux/base/poll_loop.h"

namespace qv {

// The end of the session (SIGTERM, SIGHUP, Ctrl+C): the data are saved without a message
// box, as at the end of a Windows session, and the program ends. Returns the save, for a lost
// connection to the desktop.
std::function<void()> SaveAtEndOfSession(PollLoop& loop, Program& program);
// The list's first activation and the hot key in effect told, then the loop until the
// program ends; `showList` shows the list in one-shot mode.
void RunProgram(PollLoop& loop, Program& program, const std::function<void()>& showList);

}  // namespace qv
