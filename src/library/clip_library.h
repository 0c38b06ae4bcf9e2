#pragma once
// The slot rows and the clip store as the running program holds them, with their files.
#include <string>

#include "library/code_page.h"
#include "library/data_files.h"
#include "library/file_encoding.h"
#include "library/file_system.h"
#include "library/library_merge.h"
#include "library/slot_library.h"

namespace qv {

struct DataPaths {
  std::string rows, store, prefs;
  static DataPaths InFolder(const std::string& folder);  // folder ends with "\" or is empty
};

class ClipLibrary {
 public:
  SlotList rows = DesignSlotRows();
  ClipStore store;
  CurrentSlot current;

  // Loads the rows file, then the store file (not at all when the rows failed). Throws one
  // AppError at the end naming every file that could not be read or looks damaged; a
  // damaged file is loaded all the same, every byte kept, and a copy of it as found is kept
  // beside it as "<file>.damaged-<n>" before any save can write over it.
  // Text is UTF-8 in memory; a file is written back in the encoding it was read in.
  void Load(FileSystem& fs, const DataPaths& paths, const CodePage& codePage);
  // Writes the rows file, then the store file; throws AppError at the first failure,
  // skipping the rest. A file this run failed to read is never overwritten, nor a damaged
  // one of which no copy could be kept.
  void Save(FileSystem& fs, const DataPaths& paths, const CodePage& codePage);
  // The two files as another program left them: when they differ from the version last
  // read, they are merged slot by slot into what the library holds. NoChange also when a
  // file was not loaded this run; Damaged when a file changed on disk looks damaged (the
  // save then keeps it beside, as any file changed on disk); NotWhole while a file is not
  // yet whole (another program is still writing it): nothing of it is taken in.
  enum class TakeInStatus { NoChange, NotWhole, Damaged, Merged };
  struct TakeInResult {
    TakeInStatus status = TakeInStatus::NoChange;
    LibraryMerge merge;
  };
  TakeInResult TakeIn(std::string_view rowsFile, std::string_view storeFile,
                      const CodePage& codePage);
  // A sync engine's conflict copy of the rows file, the store file or both (nothing for a
  // file it did not copy, which then reads as last read): another version of the same files,
  // merged in slot by slot as the live files are.
  TakeInResult TakeInCopy(const std::optional<std::string>& rowsFile,
                          const std::optional<std::string>& storeFile, const CodePage& codePage);

 private:
  // Whether the files' text is whole; the decoded version.
  std::optional<LibraryVersion> WholeVersion(std::string_view rowsFile, std::string_view storeFile,
                                             const CodePage& codePage);
  TakeInResult MergeIn(const LibraryVersion& incoming, bool conflictCopy);

  SlotHistory history_;  // what this machine has seen of every slot
  bool saveRows_ = false;
  bool saveStore_ = false;
  FileText rowsText_, storeText_;
  // The bytes each file held when last read or written here: a save that would write them
  // again needs no access to the file at all (another program may hold it).
  std::string rowsBytes_, storeBytes_;
};

}  // namespace qv
