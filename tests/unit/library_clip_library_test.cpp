// Loading and saving the slot rows and the clip store, and what a failure leaves behind.
#include <gtest/gtest.h>

#include <optional>

#include "library/clip_library.h"
#include "test_support.h"

namespace qv::test {
namespace {

using Log = std::vector<std::string>;
const DataPaths paths = DataPaths::InFolder("C:\\Q\\");

std::optional<std::string> Contents(const FakeFileSystem& fs, const std::string& path) {
  const auto file = fs.files.find(path);
  return file == fs.files.end() ? std::nullopt : std::optional(file->second);
}

TEST(DataPaths, NamesTheThreeFilesInTheFolder) {
  const auto in = DataPaths::InFolder("C:\\Program Files\\Q\\");
  EXPECT_EQ(in.rows, "C:\\Program Files\\Q\\Lb1.qvl");
  EXPECT_EQ(in.store, "C:\\Program Files\\Q\\svclips.qvl");
  EXPECT_EQ(in.prefs, "C:\\Program Files\\Q\\prefs.qvl");
  EXPECT_EQ(DataPaths::InFolder("").rows, "Lb1.qvl");
}

TEST(ClipLibraryFiles, LoadsRowsThenStoreAndWritesThemBackWithCrLf) {
  FakeFileSystem fs;
  fs.files = {{paths.rows, "r1\n\nr3"}, {paths.store, "h\nx\nt\n"}};
  ClipLibrary library;
  library.Load(fs, paths, kWestern);
  EXPECT_EQ(library.rows, (SlotList{"r1", "", "r3"}));
  EXPECT_EQ(library.store, "h\r\nx\r\nt\r\n");
  EXPECT_EQ(fs.log, (Log{"read " + paths.rows, "read " + paths.store}));
  library.Save(fs, paths, kWestern);
  EXPECT_EQ(fs.files[paths.rows], "r1\r\n\r\nr3\r\n");
  EXPECT_EQ(fs.files[paths.store], "h\r\nx\r\nt\r\n");
}

TEST(ClipLibraryFiles, UneditedCrLfFilesAreWrittenBackByteForByte) {
  const auto store = StoreOf({"a", "", "b\r\n"});
  const std::pair<std::string, std::string> files[] = {
      {"row one  \r\n\r\n", store},
      {"row one  \r\n\r\n", store.substr(0, store.size() - 2)},
      {"", ""}};
  for (const auto& [rows, store] : files) {
    FakeFileSystem fs;
    fs.files = {{paths.rows, rows}, {paths.store, store}};
    ClipLibrary library;
    library.Load(fs, paths, kWestern);
    library.Save(fs, paths, kWestern);
    EXPECT_EQ(fs.files[paths.rows], rows);
    EXPECT_EQ(fs.files[paths.store], store);
  }
}

// A damaged file is loaded whole and reported once, after the rest of the load, together
// with a file that could not be read; saving gives every byte back.
TEST(ClipLibraryFiles, DamagedFilesAreReportedOnceAndKeptByteForByte) {
  const std::string rows = Bytes("r1\0x\r\nr2\r\n"), store = Bytes("h\r\n\0\r\nt");
  const std::string rowsNote = DamagedFileMessage(paths.rows, paths.rows + ".damaged-1");
  const std::string storeNote = DamagedFileMessage(paths.store, paths.store + ".damaged-1");
  const std::string storeError = "Cannot open file " + paths.store;
  const struct {
    std::string rows, store;
    bool storeUnreadable;
    std::string message;
  } cases[] = {
      {rows, "h\r\nt", false, rowsNote},
      {"r1\r\n", store, false, storeNote},
      {rows, store, false, rowsNote + ".\n" + storeNote},
      {rows, store, true, rowsNote + ".\n" + storeError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    FakeFileSystem fs;
    fs.files = {{paths.rows, c.rows}, {paths.store, c.store}};
    if (c.storeUnreadable) fs.unreadable.insert(paths.store);
    ClipLibrary library;
    EXPECT_EQ(ErrorOf([&] { library.Load(fs, paths, kWestern); }), c.message);
    EXPECT_EQ(SerializeRows(library.rows), c.rows);
    EXPECT_EQ(library.store, c.storeUnreadable ? "" : c.store);
    fs.unreadable.clear();
    EXPECT_EQ(ErrorOf([&] { library.Save(fs, paths, kWestern); }), "");
    EXPECT_EQ(fs.files[paths.rows], c.rows);
    EXPECT_EQ(fs.files[paths.store], c.store);
  }
}

// A damaged file of which no copy as found could be kept is not written over.
TEST(ClipLibraryFiles, ADamagedFileThatCouldNotBeKeptIsNotWrittenOver) {
  FakeFileSystem fs;
  fs.files = {{paths.rows, Bytes("r\0\n")}, {paths.store, ""}};
  fs.failAtCall = 0;  // the copy
  ClipLibrary library;
  EXPECT_EQ(ErrorOf([&] { library.Load(fs, paths, kWestern); }),
            DamagedFileMessage(paths.rows, {}));
  library.Save(fs, paths, kWestern);
  EXPECT_EQ(fs.files[paths.rows], Bytes("r\0\n"));
  EXPECT_EQ(fs.files.count(paths.rows + ".damaged-1"), 0u);
}

// Writing what memory holds in place of a file that was not read would destroy the clips.
TEST(ClipLibraryFiles, AFileThatFailedToLoadIsNeverWrittenOrCreated) {
  const std::string rowsFile = "locked rows\r\n", storeFile = StoreOf({"keep"});
  const std::string rowsError = "Cannot open file C:\\Q\\Lb1.qvl";
  const std::string storeError = "Cannot open file C:\\Q\\svclips.qvl";
  const struct {
    const char* name;
    std::optional<std::string> rows, store;
    std::string unreadable, error;
  } cases[] = {
      {"rows missing", std::nullopt, storeFile, paths.store, rowsError},
      {"rows unreadable", rowsFile, storeFile, paths.rows, rowsError},
      {"store unreadable", rowsFile, storeFile, paths.store, storeError},
      {"store missing", rowsFile, std::nullopt, "", storeError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    if (c.rows) fs.files[paths.rows] = *c.rows;
    if (c.store) fs.files[paths.store] = *c.store;
    fs.unreadable.insert(c.unreadable);
    ClipLibrary library;
    EXPECT_EQ(ErrorOf([&] { library.Load(fs, paths, kWestern); }), c.error);
    const bool rowsRead = c.error == storeError;
    EXPECT_EQ(library.rows, rowsRead ? SlotList{"locked rows"} : DesignSlotRows());
    EXPECT_TRUE(library.store.empty());
    EXPECT_EQ(fs.log.size(), rowsRead ? 2u : 1u);  // no store read after a failed rows read
    fs.unreadable.clear();
    library.rows.push_back("new row");
    library.Save(fs, paths, kWestern);
    EXPECT_EQ(FirstChange(fs, paths.rows) != -1, rowsRead);
    EXPECT_EQ(FirstChange(fs, paths.store), -1);
    EXPECT_EQ(Contents(fs, paths.rows), rowsRead ? rowsFile + "new row\r\n" : c.rows);
    EXPECT_EQ(Contents(fs, paths.store), c.store);
  }
}

// A save cut short at any step leaves each data file and its backup wholly old or wholly
// new, the rows file never older than the store file, and no temp file behind.
TEST(ClipLibraryFiles, SaveInterruptedAtEveryStepLeavesWholeFiles) {
  const std::string oldRows = "old row\r\n", oldStore = StoreOf({"old"});
  const std::string newRows = "new row\r\n", newStore = StoreOf({"new\r\nlonger"});
  const std::string olderBackup = "older";
  int cleanCalls = 0;
  for (int failing = -1; failing < 16; ++failing) {
    SCOPED_TRACE(failing);
    FakeFileSystem fs;
    fs.files = {{paths.rows, oldRows},
                {paths.store, oldStore},
                {paths.rows + ".bak", olderBackup},
                {paths.store + ".bak", olderBackup}};
    ClipLibrary library;
    library.Load(fs, paths, kWestern);
    library.rows = SlotList{"new row"};
    library.store = newStore;
    fs.failAtCall = failing;
    const bool failed = !ErrorOf([&] { library.Save(fs, paths, kWestern); }).empty();
    if (failing == -1) cleanCalls = fs.mutatingCalls;
    const auto rows = fs.files[paths.rows], store = fs.files[paths.store];
    EXPECT_TRUE(rows == oldRows || rows == newRows) << rows;
    EXPECT_TRUE(store == oldStore || store == newStore) << store;
    EXPECT_TRUE(rows == newRows || store == oldStore) << "store saved before rows";
    EXPECT_TRUE(failed || (rows == newRows && store == newStore));
    for (const auto& [path, old] : {std::pair{paths.rows, oldRows}, {paths.store, oldStore}}) {
      const auto backup = fs.files[path + ".bak"];
      EXPECT_TRUE(backup == olderBackup || backup == old) << path;
    }
    for (const auto& [path, bytes] : fs.files) EXPECT_EQ(path.find(".tmp"), std::string::npos);
  }
  EXPECT_GE(cleanCalls, 8);
  EXPECT_LT(cleanCalls, 16);
}

}  // namespace
}  // namespace qv::test
