#include "library/file_system.h"

#include "base/app_error.h"

namespace qv {

namespace {

// Removes the temp file, then reports the file that could not be written or replaced.
[[noreturn]] void FailSave(FileSystem& fs, const std::string& temp, const std::string& failed) {
  fs.Remove(temp);
  throw AppError("Cannot create file " + failed);
}

// "<path>.bak" := the file as it is now, written beside the backup and then moved over it,
// so that a good backup is never replaced by a torn one. A courtesy: when it fails the old
// backup stays and the save goes ahead, since refusing would leave the changes unsaved.
void KeepBackup(FileSystem& fs, const std::string& path) {
  const auto old = fs.ReadAll(path);
  if (!old) return;
  const std::string backup = path + ".bak", temp = backup + ".tmp";
  if (!fs.WriteAndFlush(temp, *old) || !fs.MoveReplacing(temp, backup)) fs.Remove(temp);
}

}  // namespace

std::string ReadDataFile(FileSystem& fs, const std::string& path) {
  auto bytes = fs.ReadAll(path);
  if (!bytes) throw AppError("Cannot open file " + path);
  return std::move(*bytes);
}

void SaveDataFile(FileSystem& fs, const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  // The new version is complete on disk before the old one is touched.
  if (!fs.WriteAndFlush(temp, bytes)) FailSave(fs, temp, temp);
  KeepBackup(fs, path);
  if (!fs.MoveReplacing(temp, path)) FailSave(fs, temp, path);
}

}  // namespace qv
