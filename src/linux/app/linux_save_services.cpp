#include "linux/app/linux_save_services.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace qv {

bool LinuxSaveServices::CanCreateFilesIn(const std::string& folder) {
  const std::string probe = folder + ".~qv" + std::to_string(getpid()) + ".tmp";
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    close(fd);
    unlink(probe.c_str());
    return true;
  }
  return errno != EACCES && errno != EROFS && errno != EPERM;
}

}  // namespace qv
