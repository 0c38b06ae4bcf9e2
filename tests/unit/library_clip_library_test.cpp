// Loading and saving the slot rows and the clip store, and what a failure leaves behind.
#include <gtest/gtest.h>

#include "app/app_error.h"
#include "fakes/fake_file_system.h"
#include "library/clip_library.h"
#include "library_test_support.h"

namespace qv::test {
namespace {

class ClipLibraryFiles : public ::testing::Test {
 protected:
  const DataPaths paths = DataPaths::InFolder("C:\\Q\\");
  FakeFileSystem fs;
  ClipLibrary library;

  void PutFiles(const std::string& rows, const std::string& store) {
    fs.files[paths.rows] = rows;
    fs.files[paths.store] = store;
  }
  std::string LoadError() {
    try {
      library.Load(fs, paths);
    } catch (const AppError& error) {
      return error.what();
    }
    return "";
  }
  bool Mutated(const std::string& path) const {
    for (const auto& entry : fs.log)
      if (entry.rfind("read ", 0) != 0 && entry.find(path) != std::string::npos) return true;
    return false;
  }
};

TEST(DataPaths, NamesTheThreeFilesInTheFolder) {
  const auto paths = DataPaths::InFolder("C:\\Program Files\\Q\\");
  EXPECT_EQ(paths.rows, "C:\\Program Files\\Q\\Lb1.qvl");
  EXPECT_EQ(paths.store, "C:\\Program Files\\Q\\svclips.qvl");
  EXPECT_EQ(paths.prefs, "C:\\Program Files\\Q\\prefs.qvl");
  EXPECT_EQ(DataPaths::InFolder("").rows, "Lb1.qvl");
}

TEST_F(ClipLibraryFiles, BeforeLoadingTheListHoldsTheDesignRows) {
  EXPECT_EQ(library.rows, DesignSlotRows());
  EXPECT_TRUE(library.store.empty());
}

TEST_F(ClipLibraryFiles, LoadsRowsThenStore) {
  PutFiles("r1\nr2\n", "h\nx\nt");
  EXPECT_EQ(LoadError(), "");
  EXPECT_EQ(library.rows, (SlotList{"r1", "r2"}));
  EXPECT_EQ(library.store, "h\r\nx\r\nt");
  EXPECT_EQ(fs.log, (std::vector<std::string>{"read " + paths.rows, "read " + paths.store}));
}

TEST_F(ClipLibraryFiles, LfOnlyFilesAreWrittenBackWithCrLf) {
  PutFiles("r1\n\nr3", "h\nx\nt\n");
  library.Load(fs, paths);
  library.Save(fs, paths);
  EXPECT_EQ(fs.files[paths.rows], "r1\r\n\r\nr3\r\n");
  EXPECT_EQ(fs.files[paths.store], "h\r\nx\r\nt\r\n");
}

TEST_F(ClipLibraryFiles, UneditedCrLfFilesAreWrittenBackByteForByte) {
  const auto withBreak = StoreOf({"a", "", "b\r\n"});
  const auto withoutBreak = withBreak.substr(0, withBreak.size() - 2);
  for (const auto& store : {withBreak, withoutBreak, std::string()}) {
    PutFiles("row one  \r\n\r\n", store);
    library.Load(fs, paths);
    library.Save(fs, paths);
    EXPECT_EQ(fs.files[paths.rows], "row one  \r\n\r\n");
    EXPECT_EQ(fs.files[paths.store], store);
  }
}

TEST_F(ClipLibraryFiles, EmptyRowsFileGivesNoRowsAndIsWrittenBackEmpty) {
  PutFiles("", "");
  library.Load(fs, paths);
  EXPECT_TRUE(library.rows.empty());
  library.Save(fs, paths);
  EXPECT_EQ(fs.files[paths.rows], "");
}

TEST_F(ClipLibraryFiles, ReplacedLastBlockEndsTheStoreWithCrLf) {
  PutFiles(ComposeSlotRow("t", Header(0)) + "\r\n", Header(0) + "\r\nold\r\n" + Trailer(0));
  library.Load(fs, paths);
  ASSERT_TRUE(ReplaceClipBlock(library.store, SlotOf(0), "new"));
  library.Save(fs, paths);
  EXPECT_EQ(fs.files[paths.store], StoreOf({"new"}));
}

TEST_F(ClipLibraryFiles, MissingRowsFileLeavesDesignRowsAndReadsNoStore) {
  fs.files[paths.store] = StoreOf({"keep"});
  EXPECT_EQ(LoadError(), "Cannot open file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(library.rows, DesignSlotRows());
  EXPECT_TRUE(library.store.empty());
  EXPECT_EQ(fs.log, (std::vector<std::string>{"read " + paths.rows}));
  EXPECT_FALSE(library.rowsLoaded());
  EXPECT_FALSE(library.storeLoaded());
}

TEST_F(ClipLibraryFiles, AfterAFailedRowsReadNeitherFileIsWrittenOrCreated) {
  fs.files[paths.store] = StoreOf({"keep"});
  fs.unreadable.insert(paths.store);
  LoadError();
  fs.unreadable.clear();
  library.Save(fs, paths);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{paths.store, StoreOf({"keep"})}}));
  EXPECT_FALSE(Mutated(paths.rows));
  EXPECT_FALSE(Mutated(paths.store));
}

TEST_F(ClipLibraryFiles, UnreadableRowsFileIsNotOverwritten) {
  PutFiles("locked rows\r\n", StoreOf({"keep"}));
  fs.unreadable.insert(paths.rows);
  EXPECT_EQ(LoadError(), "Cannot open file C:\\Q\\Lb1.qvl");
  fs.unreadable.clear();
  library.Save(fs, paths);
  EXPECT_EQ(fs.files[paths.rows], "locked rows\r\n");
  EXPECT_FALSE(Mutated(paths.rows));
  EXPECT_FALSE(Mutated(paths.store));
}

TEST_F(ClipLibraryFiles, AfterAFailedStoreReadOnlyTheRowsAreWritten) {
  PutFiles("r\n", StoreOf({"keep"}));
  fs.unreadable.insert(paths.store);
  EXPECT_EQ(LoadError(), "Cannot open file C:\\Q\\svclips.qvl");
  EXPECT_EQ(library.rows, SlotList{"r"});
  EXPECT_TRUE(library.store.empty());
  EXPECT_TRUE(library.rowsLoaded());
  EXPECT_FALSE(library.storeLoaded());
  fs.unreadable.clear();
  library.Save(fs, paths);
  EXPECT_EQ(fs.files[paths.rows], "r\r\n");
  EXPECT_EQ(fs.files[paths.store], StoreOf({"keep"}));
  EXPECT_FALSE(Mutated(paths.store));
}

TEST_F(ClipLibraryFiles, MissingStoreFileIsNotCreated) {
  fs.files[paths.rows] = "r\r\n";
  EXPECT_EQ(LoadError(), "Cannot open file C:\\Q\\svclips.qvl");
  library.Save(fs, paths);
  EXPECT_EQ(fs.files.count(paths.store), 0u);
}

TEST_F(ClipLibraryFiles, FailedRowsWriteSkipsTheStore) {
  PutFiles("r\r\n", StoreOf({"a"}));
  library.Load(fs, paths);
  library.rows[0] = "changed";
  library.store = StoreOf({"b"});
  fs.failAtCall = 0;
  try {
    library.Save(fs, paths);
    FAIL() << "no error";
  } catch (const AppError& error) {
    EXPECT_STREQ(error.what(), "Cannot create file C:\\Q\\Lb1.qvl");
  }
  EXPECT_FALSE(Mutated(paths.store));
  EXPECT_EQ(fs.files[paths.store], StoreOf({"a"}));
}

// A save cut short at any step leaves each data file wholly old or wholly new, the rows
// file never older than the store file, and no temp file behind.
TEST_F(ClipLibraryFiles, SaveInterruptedAtEveryStepLeavesWholeFiles) {
  const std::string oldRows = "old row\r\n", oldStore = StoreOf({"old"});
  const std::string newRows = "new row\r\n", newStore = StoreOf({"new\r\nlonger"});
  int cleanCalls = 0;
  for (int failing = -1; failing < 12; ++failing) {
    SCOPED_TRACE(failing);
    FakeFileSystem files;
    files.files = {{paths.rows, oldRows}, {paths.store, oldStore}};
    ClipLibrary saving;
    saving.Load(files, paths);
    saving.rows = SlotList{"new row"};
    saving.store = newStore;
    files.failAtCall = failing;
    bool failed = false;
    try {
      saving.Save(files, paths);
    } catch (const AppError&) {
      failed = true;
    }
    if (failing == -1) cleanCalls = files.mutatingCalls;
    const auto rows = files.files[paths.rows], store = files.files[paths.store];
    EXPECT_TRUE(rows == oldRows || rows == newRows) << rows;
    EXPECT_TRUE(store == oldStore || store == newStore) << store;
    EXPECT_TRUE(rows == newRows || store == oldStore) << "store saved before rows";
    if (!failed) {
      EXPECT_EQ(rows, newRows);
      EXPECT_EQ(store, newStore);
    }
    for (const auto& [path, old] : {std::pair{paths.rows, oldRows}, {paths.store, oldStore}}) {
      const auto backup = files.files.find(path + ".bak");
      EXPECT_TRUE(backup == files.files.end() || backup->second == old) << path;
    }
    for (const auto& [path, bytes] : files.files)
      EXPECT_EQ(path.find(".tmp"), std::string::npos) << path;
  }
  EXPECT_GE(cleanCalls, 6);
  EXPECT_LT(cleanCalls, 12);
}

}  // namespace
}  // namespace qv::test
