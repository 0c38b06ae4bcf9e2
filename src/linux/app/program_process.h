#pragma once
// The program as a process on Linux: the signals that must not end it, and its title.
#include <string>

namespace qv {

// The mail program's launcher is not waited for; a write to a display that has gone fails as
// a lost connection, which saves the clips, instead of SIGPIPE ending the program at once.
void IgnoreChildAndPipeSignals();
// The application's title from the executable's name, capitalised as the Windows program's
// name is (executables here are named in lower case): "quorvanel" -> "Quorvanel".
std::string ProgramTitle();

}  // namespace qv
