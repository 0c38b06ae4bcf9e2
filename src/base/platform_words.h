#pragma once
// The few phrases in which the platforms' texts differ; the core composes every message from
// them, so that a box, the tray's tip and the list's header say the same. Windows' by default.
#include <string>

namespace qv {

struct PlatformWords {
  // What may refuse the keys the program types.
  std::string keyGuard = "Windows";  // begins a line
  // What may hold a hot key, beside another program.
  std::string hotKeyHolder = "Windows";
  // The program's file as the user finds it; empty: the program's title with ".exe".
  std::string programFile;
  // A folder of the user's own.
  std::string ownFolder = "your Documents folder";
};

}  // namespace qv
