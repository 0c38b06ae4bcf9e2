#include "x11/services/posix_file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/second_instance.h"
#include "library/data_files.h"

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

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool CopyFile(const std::string& from, const std::string& to) {
  PosixDisk disk;
  const auto bytes = disk.ReadAll(from);
  return bytes && disk.Missing(to) && disk.WriteAndFlush(to, *bytes);
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

bool SleepingClock::Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  return true;
}

std::int64_t SleepingClock::Milliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool PosixSaveServices::CanCreateFilesIn(const std::string& folder) {
  const std::string probe = folder + ".~qv" + std::to_string(getpid()) + ".tmp";
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) {
    close(fd);
    unlink(probe.c_str());
    return true;
  }
  return errno != EACCES && errno != EROFS && errno != EPERM;
}

std::string ExecutableFolder() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "./";
  return FolderOf(std::string(path, static_cast<std::size_t>(length)));
}

std::string DataFolder(const std::string& exeFolder) {
  if (FileExists(exeFolder + kRowsFileName)) return exeFolder;
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.local/share";
  }
  const std::string folder = base + "/quorvanel/";
  for (std::size_t slash = 1; (slash = folder.find('/', slash)) != std::string::npos; ++slash)
    mkdir(folder.substr(0, slash).c_str(), 0700);
  // A new folder is given the shipped files; a file the user has is never replaced.
  for (const std::string& shipped : {exeFolder + "../share/quorvanel/", exeFolder + "data/"}) {
    if (!FileExists(shipped + kRowsFileName)) continue;
    for (const char* name : {kRowsFileName, kStoreFileName, kPrefsFileName})
      if (!FileExists(folder + name)) CopyFile(shipped + name, folder + name);
    break;
  }
  return folder;
}

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
