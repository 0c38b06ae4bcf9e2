#include "library/clip_library.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/app_error.h"

namespace qv {

namespace {

// Several messages in one error box, each ending as the box would end it.
std::string JoinedMessages(const std::vector<std::string>& messages) {
  std::string text;
  for (std::size_t i = 0; i < messages.size(); ++i)
    text += i + 1 < messages.size() ? ErrorBoxText(messages[i]) + "\n" : messages[i];
  return text;
}

}  // namespace

DataPaths DataPaths::InFolder(const std::string& folder) {
  return DataPaths{folder + kRowsFileName, folder + kStoreFileName, folder + kPrefsFileName};
}

void ClipLibrary::Load(FileSystem& fs, const DataPaths& paths) {
  store.clear();
  rowsLoaded_ = storeLoaded_ = false;
  // What the user is told once, after everything that can be loaded has been.
  std::vector<std::string> notes;
  const auto read = [&](const std::string& path) -> std::optional<std::string> {
    try {
      std::string bytes = ReadDataFile(fs, path);
      if (LooksDamaged(bytes)) notes.push_back(DamagedFileMessage(path));
      return bytes;
    } catch (const AppError& error) {
      notes.emplace_back(error.what());
      return std::nullopt;
    }
  };
  if (const auto rowsFile = read(paths.rows)) {
    rows = SplitFileLines(*rowsFile);
    rowsLoaded_ = true;
    if (auto storeFile = read(paths.store)) {
      store = ParseStoreFile(std::move(*storeFile));  // taken over when its breaks are CR LF
      storeLoaded_ = true;
    }
  }
  if (!notes.empty()) throw AppError(JoinedMessages(notes));
}

// A file that was not read this run is left alone: writing what memory holds in its
// place (design rows, an empty store) would destroy the user's clips.
void ClipLibrary::Save(FileSystem& fs, const DataPaths& paths) const {
  if (rowsLoaded_) SaveDataFile(fs, paths.rows, SerializeRows(rows));
  if (storeLoaded_) SaveDataFile(fs, paths.store, store);
}

}  // namespace qv
