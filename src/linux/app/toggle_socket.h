#pragma once
// `quorvanel --toggle`: the command a user binds in the desktop's own shortcut settings where
// no program may bind a key. It asks the copy running on the same data folder to show or hide
// its list, through a Unix socket that copy listens on while it runs, and starts no copy of
// its own. The socket is in $XDG_RUNTIME_DIR (private to the user), named after the folder.
#include <functional>
#include <string>

#include "linux/base/poll_loop.h"

namespace qv {

// The socket's path for the data folder.
std::string ToggleSocketPath(const std::string& dataFolder);

class ToggleSocket {
 public:
  // Listens for the command while it lives; `toggled` runs from the loop.
  ToggleSocket(PollLoop& loop, const std::string& dataFolder, std::function<void()> toggled);
  ~ToggleSocket();
  ToggleSocket(const ToggleSocket&) = delete;
  ToggleSocket& operator=(const ToggleSocket&) = delete;
  bool Listening() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  std::string path_;
  std::function<void()> toggled_;
};

// The client side: 0 when the running copy took the command; otherwise tells why on stderr
// and returns 1.
int SendToggle(const std::string& dataFolder);

}  // namespace qv
