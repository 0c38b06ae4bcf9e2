#include "linux/services/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace qv {

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

bool WriteWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool PosixDisk::Failed() {
  lastFailureBusy_ = errno == EBUSY || errno == ETXTBSY || errno == EAGAIN;
  return false;
}

std::optional<std::string> PosixDisk::ReadAll(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    Failed();
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      Failed();
      close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  close(fd);
  return bytes;
}

bool PosixDisk::Missing(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool PosixDisk::WriteAndFlush(const std::string& path, std::string_view bytes) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Failed();
  const bool ok = WriteWhole(fd, bytes) && fsync(fd) == 0;
  if (!ok) Failed();
  close(fd);
  return ok;
}

bool PosixDisk::MoveReplacing(const std::string& from, const std::string& to) {
  if (rename(from.c_str(), to.c_str()) != 0) return Failed();
  // The rename is on disk once the folder is.
  const int folder = open(FolderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

bool PosixDisk::Remove(const std::string& path) {
  return unlink(path.c_str()) == 0 || Failed();
}

}  // namespace qv
