#include "linux/app/data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "library/data_files.h"
#include "linux/services/posix_file_system.h"

namespace qv {

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
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

}  // namespace qv
