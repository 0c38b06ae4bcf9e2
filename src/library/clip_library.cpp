#include "library/clip_library.h"

namespace qv {

DataPaths DataPaths::InFolder(const std::string& folder) {
  return DataPaths{folder + kRowsFileName, folder + kStoreFileName, folder + kPrefsFileName};
}

void ClipLibrary::Load(FileSystem& fs, const DataPaths& paths) {
  store.clear();
  rowsLoaded_ = storeLoaded_ = false;
  rows = ParseRowsFile(ReadDataFile(fs, paths.rows));
  rowsLoaded_ = true;
  store = ParseStoreFile(ReadDataFile(fs, paths.store));
  storeLoaded_ = true;
}

// A file that was not read this run is left alone: writing what memory holds in its
// place (design rows, an empty store) would destroy the user's clips.
void ClipLibrary::Save(FileSystem& fs, const DataPaths& paths) const {
  if (rowsLoaded_) SaveDataFile(fs, paths.rows, SerializeRows(rows));
  if (storeLoaded_) SaveDataFile(fs, paths.store, SerializeStore(store));
}

}  // namespace qv
