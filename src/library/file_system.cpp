#include "library/file_system.h"

#include "desktop/app_error.h"

namespace qv {

std::string ReadDataFile(FileSystem& fs, const std::string& path) {
  auto bytes = fs.ReadAll(path);
  if (!bytes) throw AppError("Cannot open file " + path);
  return std::move(*bytes);
}

void SaveDataFile(FileSystem& fs, const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".tmp";
  const auto fail = [&] {
    fs.Remove(temp);
    throw AppError("Cannot create file " + path);
  };
  // The new version is complete on disk before the old one is touched.
  if (!fs.WriteAndFlush(temp, bytes)) fail();
  // The backup is a courtesy: when it cannot be made the save still goes ahead, because
  // refusing would leave the user's changes unsaved while the old file stays as it was.
  if (fs.Exists(path)) fs.CopyReplacing(path, path + ".bak");
  if (!fs.MoveReplacing(temp, path)) fail();
}

}  // namespace qv
