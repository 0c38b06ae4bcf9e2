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

// A damaged file's bytes as found, beside it: where an earlier start kept them already, or
// else under the first free "<path>.damaged-<n>". Nothing when no copy could be written.
std::optional<std::string> KeepDamagedAsFound(FileSystem& fs, const std::string& path,
                                              const std::string& bytes) {
  constexpr int kMostCopies = 999;
  for (int n = 1; n <= kMostCopies; ++n) {
    const std::string name = path + ".damaged-" + std::to_string(n);
    if (fs.Missing(name)) {
      if (fs.WriteAndFlush(name, bytes)) return name;
      fs.Remove(name);  // a torn copy would pass for a kept one at the next start
      return std::nullopt;
    }
    if (fs.ReadAll(name) == bytes) return name;
  }
  return std::nullopt;
}

}  // namespace

DataPaths DataPaths::InFolder(const std::string& folder) {
  return DataPaths{folder + kRowsFileName, folder + kStoreFileName, folder + kPrefsFileName};
}

void ClipLibrary::Load(FileSystem& fs, const DataPaths& paths, const CodePage& codePage) {
  store.clear();
  saveRows_ = saveStore_ = false;
  // What the user is told once, after everything that can be loaded has been.
  std::vector<std::string> notes;
  const auto read = [&](const std::string& path, bool& save) -> std::optional<std::string> {
    try {
      std::string bytes = ReadDataFile(fs, path);
      save = true;
      if (LooksDamaged(bytes)) {
        const auto keptAs = KeepDamagedAsFound(fs, path, bytes);
        notes.push_back(DamagedFileMessage(path, keptAs));
        save = keptAs.has_value();
      }
      return bytes;
    } catch (const AppError& error) {
      notes.emplace_back(error.what());
      return std::nullopt;
    }
  };
  if (const auto rowsFile = read(paths.rows, saveRows_)) {
    rows = SplitFileLines(rowsText_.Decode(std::move(*rowsFile), codePage));
    if (auto storeFile = read(paths.store, saveStore_))  // taken over when its breaks are CR LF
      store = ParseStoreFile(storeText_.Decode(std::move(*storeFile), codePage));
  }
  loaded_ = {rows, store};
  if (!notes.empty()) throw AppError(JoinedMessages(notes));
}

// A file that was not read this run is left alone: writing what memory holds in its
// place (design rows, an empty store) would destroy the user's clips.
void ClipLibrary::Save(FileSystem& fs, const DataPaths& paths, const CodePage& codePage) {
  std::string scratch;
  if (saveRows_) {
    const std::string text = SerializeRows(rows);
    SaveDataFile(fs, paths.rows, rowsText_.Encode(text, codePage, scratch));
    loaded_.rows = SplitFileLines(text);
  }
  if (saveStore_) {
    SaveDataFile(fs, paths.store, storeText_.Encode(store, codePage, scratch));
    loaded_.store = store;
  }
}

std::optional<LibraryMerge> ClipLibrary::TakeIn(std::string_view rowsFile,
                                                std::string_view storeFile,
                                                const CodePage& codePage) {
  if (!saveRows_ || !saveStore_ || LooksDamaged(rowsFile) || LooksDamaged(storeFile))
    return std::nullopt;
  // Read as a load reads them: each file's encoding is what it holds now.
  LibraryVersion theirs{SplitFileLines(rowsText_.Decode(std::string(rowsFile), codePage)),
                        ParseStoreFile(storeText_.Decode(std::string(storeFile), codePage))};
  if (theirs == loaded_) return std::nullopt;
  LibraryMerge merge = MergeLibraries(loaded_, {rows, store}, theirs);
  rows = merge.merged.rows;
  store = merge.merged.store;
  loaded_ = std::move(theirs);
  return merge;
}

}  // namespace qv
