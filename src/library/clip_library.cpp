#include "library/clip_library.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "library/whole_file.h"

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
    rowsBytes_ = *rowsFile;
    rows = SplitFileLines(rowsText_.Decode(std::move(*rowsFile), codePage));
    if (auto storeFile = read(paths.store, saveStore_)) {
      storeBytes_ = *storeFile;
      store = ParseStoreFile(storeText_.Decode(std::move(*storeFile), codePage));
    }
  }
  history_.Read({rows, store});
  if (!notes.empty()) throw AppError(JoinedMessages(notes));
}

// A file that was not read this run is left alone: writing what memory holds in its
// place (design rows, an empty store) would destroy the user's clips.
void ClipLibrary::Save(FileSystem& fs, const DataPaths& paths, const CodePage& codePage) {
  // A file whose bytes would be the ones last read or written is not touched: a file
  // another program holds for a while then costs nothing. One that is gone is written again.
  std::string scratch;
  if (saveRows_) {
    const std::string text = SerializeRows(rows);
    const std::string_view bytes = rowsText_.Encode(text, codePage, scratch);
    if (bytes != rowsBytes_ || fs.Missing(paths.rows)) {
      SaveDataFile(fs, paths.rows, bytes);
      rowsBytes_ = bytes;
    }
  }
  if (saveStore_) {
    const std::string_view bytes = storeText_.Encode(store, codePage, scratch);
    if (bytes != storeBytes_ || fs.Missing(paths.store)) {
      SaveDataFile(fs, paths.store, bytes);
      storeBytes_ = bytes;
    }
  }
  history_.Wrote({rows, store});
}

std::optional<LibraryVersion> ClipLibrary::WholeVersion(std::string_view rowsFile,
                                                        std::string_view storeFile,
                                                        const CodePage& codePage) {
  // Read as a load reads them: each file's encoding is what it holds now, once it is whole.
  const FileText rowsWas = rowsText_, storeWas = storeText_;
  const std::string rowsText = rowsText_.Decode(std::string(rowsFile), codePage);
  LibraryVersion version{SplitFileLines(rowsText),
                         ParseStoreFile(storeText_.Decode(std::string(storeFile), codePage))};
  const LibraryVersion& known = history_.LastRead();
  if (!IsWholeRowsFile(rowsText, known.rows) ||
      !IsWholeStoreFile(version.store, version.rows, known.store)) {
    rowsText_ = rowsWas;
    storeText_ = storeWas;
    return std::nullopt;
  }
  return version;
}

ClipLibrary::TakeInResult ClipLibrary::MergeIn(const LibraryVersion& incoming, bool copy) {
  TakeInResult result{TakeInStatus::Merged, MergeIncoming(history_, {rows, store}, incoming, copy)};
  rows = result.merge.merged.rows;
  store = result.merge.merged.store;
  return result;
}

ClipLibrary::TakeInResult ClipLibrary::TakeIn(std::string_view rowsFile, std::string_view storeFile,
                                              const CodePage& codePage) {
  if (!saveRows_ || !saveStore_ || (rowsFile == rowsBytes_ && storeFile == storeBytes_)) return {};
  if ((rowsFile != rowsBytes_ && LooksDamaged(rowsFile)) ||
      (storeFile != storeBytes_ && LooksDamaged(storeFile)))
    return {TakeInStatus::Damaged, {}};
  const auto theirs = WholeVersion(rowsFile, storeFile, codePage);
  if (!theirs) return {TakeInStatus::NotWhole, {}};
  TakeInResult result = MergeIn(*theirs, false);
  history_.Read(*theirs);
  rowsBytes_ = rowsFile;
  storeBytes_ = storeFile;
  return result;
}

ClipLibrary::TakeInResult ClipLibrary::TakeInCopy(const std::optional<std::string>& rowsFile,
                                                  const std::optional<std::string>& storeFile,
                                                  const CodePage& codePage) {
  if (!saveRows_ || !saveStore_) return {};
  if ((rowsFile && LooksDamaged(*rowsFile)) || (storeFile && LooksDamaged(*storeFile)))
    return {TakeInStatus::NotWhole, {}};
  // The live files' encodings stay what they are.
  const FileText rowsText = rowsText_, storeText = storeText_;
  const LibraryVersion& known = history_.LastRead();
  LibraryVersion copy = known;
  bool whole = true;
  if (rowsFile) {
    const std::string text = rowsText_.Decode(*rowsFile, codePage);
    whole = IsWholeRowsFile(text, known.rows);
    copy.rows = SplitFileLines(text);
  }
  if (storeFile) {
    copy.store = ParseStoreFile(storeText_.Decode(*storeFile, codePage));
    whole = whole && IsWholeStoreFile(copy.store, copy.rows, known.store);
  }
  rowsText_ = rowsText;
  storeText_ = storeText;
  if (!whole) return {TakeInStatus::NotWhole, {}};
  // Not remembered as seen: a copy's version that was not taken (a conflict) must not make
  // the same version, arriving later in the live files, look old.
  return MergeIn(copy, true);
}

}  // namespace qv
