#include "linux/app/instance_lock.h"

#include <fcntl.h>
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
  // In the data folder itself, whatever XDG_RUNTIME_DIR says and from other computers on a
  // shared folder (record locks reach NFS and SMB servers); made once, never written nor
  // removed, so that a sync engine carries nothing. The runtime folder only where the data
  // folder takes no file.
  fd_ = open((folder + kInstanceLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW,
             0600);
  if (fd_ < 0) {
    std::string name = InstanceLockName(folder, id);
    name = name.substr(name.find_last_of('-') + 1);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string dir = runtime && *runtime == '/' ? runtime : "/tmp";
    const std::string path = dir + "/quorvanel-" + std::to_string(getuid()) + "-" + name + ".lock";
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);  // /tmp: no links
  }
  if (fd_ < 0) return;  // no lock to be had: run, as when none is held
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  anotherInstanceRuns_ = fcntl(fd_, F_SETLK, &whole) != 0 && (errno == EACCES || errno == EAGAIN);
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace qv
