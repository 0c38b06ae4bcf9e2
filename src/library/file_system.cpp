#include "library/file_system.h"

#include "base/app_error.h"

namespace qv {

namespace {

// Removes the temp file, then reports the data file, the one the user knows. The temp file
// is named as well only when something already stood at its name: then that is the cause.
[[noreturn]] void FailSave(FileSystem& fs, const std::string& path, const std::string& temp,
                           bool tempInTheWay) {
  fs.Remove(temp);
  std::string message = "Cannot create file " + path;
  if (tempInTheWay) {
    message = ErrorBoxText(message) + "\nIts new version is written first as " + temp +
              ", and a file or folder of that name is in the way";
  }
  throw AppError(message);
}

// "<path>.bak" := the file as it is now, written beside the backup and then moved over it,
// so that a good backup is never replaced by a torn one. A courtesy: when it fails the old
// backup stays and the save goes ahead, since refusing would leave the changes unsaved.
void KeepBackup(FileSystem& fs, const std::string& path, const std::string& old) {
  const std::string backup = path + ".bak", temp = backup + ".tmp";
  if (!fs.WriteAndFlush(temp, old) || !fs.MoveReplacing(temp, backup)) fs.Remove(temp);
}

}  // namespace

std::string ReadDataFile(FileSystem& fs, const std::string& path) {
  auto bytes = fs.ReadAll(path);
  if (!bytes) throw AppError("Cannot open file " + path);
  return std::move(*bytes);
}

void SaveDataFile(FileSystem& fs, const std::string& path, std::string_view bytes) {
  // A file that already holds these bytes is left alone: a save with nothing changed
  // succeeds at once, also in a folder that takes no file.
  const std::optional<std::string> old = fs.ReadAll(path);
  if (old && *old == bytes) return;
  const std::string temp = path + ".tmp";
  // The new version is complete on disk before the old one is touched.
  const bool tempInTheWay = !fs.Missing(temp);
  if (!fs.WriteAndFlush(temp, bytes)) FailSave(fs, path, temp, tempInTheWay);
  if (old) KeepBackup(fs, path, *old);
  if (!fs.MoveReplacing(temp, path)) FailSave(fs, path, temp, false);
}

}  // namespace qv
