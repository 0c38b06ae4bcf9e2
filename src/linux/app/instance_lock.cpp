#include "linux/app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "app/second_instance.h"

namespace qv {

InstanceLock::InstanceLock(const std::string& folder) {
  struct stat info {};
  std::optional<FolderId> id;
  if (stat(folder.c_str(), &info) == 0)
    id = FolderId{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                  0};
  std::string name = InstanceLockName(folder, id);
  name = name.substr(name.find_last_of('-') + 1);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string dir = runtime && *runtime == '/' ? runtime : "/tmp";
  const std::string path = dir + "/quorvanel-" + std::to_string(getuid()) + "-" + name + ".lock";
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);  // /tmp: no links
  if (fd_ < 0) return;  // no lock to be had: run, as when none is held
  anotherInstanceRuns_ = flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace qv
