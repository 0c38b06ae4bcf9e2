#pragma once
// One instance of the program per folder: instances from the same folder would write the same data
// files over each other.
#include <cstdint>
#include <optional>
#include <string>

#include "desktop/desktop_services.h"

namespace qv {

// A folder as the file system knows it, whatever path leads to it: the volume and the file
// id (128 bits where the file system has them).
struct FolderId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  std::uint64_t indexHigh = 0;
};

// Where the instance already running from the folder was found.
enum class OtherInstance {
  None,
  ThisSession,          // its icon is in this user's notification area
  ElevatedThisSession,  // likewise, but run as administrator: this copy cannot reach it
  OtherSession,         // another user's, or this user's in another session
  ThroughAnotherPath,   // its lock file is held: another path to the folder, another computer
};

// The file in the data folder that one running instance holds locked, whatever path led to
// the folder and from whichever computer. Sync engines skip names that begin with "~$" (the
// Office lock files), and it is made once and never written, renamed or removed, so that
// nothing of it travels to other computers.
inline constexpr const char* kInstanceLockFileName = "~$Quorvanel.lock";

// The name (without its namespace) every instance started from `folder` holds while it runs.
// By the folder's identity when the file system tells it, so that a symbolic link, a mapped
// drive letter or the short name lead to the same lock; otherwise by the path, where the case
// of letters and "/" for "\" make no other folder.
std::string InstanceLockName(const std::string& folder, std::optional<FolderId> id = std::nullopt);

// Another instance from the same folder runs. A one-shot start (Ctrl held) runs beside it, to
// paste; an ordinary start tells the user where that instance is and is to end before it
// reads or writes anything.
bool MayRunBesideAnotherInstance(KeyState& keys, MessageBoxes& messages, const std::string& title,
                                 const std::string& folder,
                                 OtherInstance other = OtherInstance::ThisSession);

}  // namespace qv
