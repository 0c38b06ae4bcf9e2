// Start-up and saving: the main window's creation step, Housekeeping and its triggers.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/program_fixture.h"
#include "library_test_support.h"

namespace qv::test {
namespace {

class ProgramFiles : public ::testing::Test, public ProgramFixture {
 protected:
  const std::string rowsFile = ComposeSlotRow("Hello", Header(0)) + "\r\n";
  const std::string storeFile = StoreOf({"hello there"});

  void PutDataFiles() {
    files.files[paths.rows] = rowsFile;
    files.files[paths.store] = storeFile;
    files.files[paths.prefs] = "F5\r\n100\r\n0000000000\r\n";
  }
  std::string Error(void (Program::*handler)()) {
    try {
      (program.*handler)();
    } catch (const AppError& error) {
      return error.what();
    }
    return "";
  }
  // Index of the first file change that touches `path`, or -1.
  int FirstChange(const std::string& path) const {
    int index = 0;
    for (const auto& entry : files.log) {
      if (entry.rfind("read ", 0) != 0 && entry.find(path) != std::string::npos) return index;
      ++index;
    }
    return -1;
  }
};

TEST_F(ProgramFiles, FormCreateLoadsRowsAndStore) {
  PutDataFiles();
  EXPECT_EQ(Error(&Program::FormCreate), "");
  EXPECT_EQ(program.library.rows, SlotList{rowsFile.substr(0, 92)});
  EXPECT_EQ(program.library.store, storeFile);
  EXPECT_EQ(program.state.OneShotMode, 0);
  EXPECT_FALSE(popupWindow.stayOnTop);
  EXPECT_EQ(popupWindow.rect.width, 249);
}

TEST_F(ProgramFiles, CtrlHeldAtStartMeansOneShotAndStayOnTop) {
  PutDataFiles();
  desktop.ctrlHeld = true;
  program.FormCreate();
  EXPECT_EQ(program.state.OneShotMode, 1);
  EXPECT_TRUE(popupWindow.stayOnTop);
}

TEST_F(ProgramFiles, MissingRowsFileIsOneErrorAndTheStoreIsNotRead) {
  PutDataFiles();
  files.files.erase(paths.rows);
  EXPECT_EQ(Error(&Program::FormCreate), "Cannot open file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(program.library.rows, DesignSlotRows());
  EXPECT_TRUE(program.library.store.empty());
  EXPECT_EQ(std::count(files.log.begin(), files.log.end(), "read " + paths.store), 0);
}

TEST_F(ProgramFiles, AfterAMissingRowsFileHousekeepingWritesNeitherDataFile) {
  PutDataFiles();
  files.files.erase(paths.rows);
  Error(&Program::FormCreate);
  program.SettingsFormCreate();
  EXPECT_EQ(Error(&Program::Housekeeping), "");
  EXPECT_EQ(FirstChange(paths.rows), -1);
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(files.files.count(paths.rows), 0u);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, UnreadableStoreIsNotOverwrittenByHousekeeping) {
  PutDataFiles();
  files.unreadable.insert(paths.store);
  EXPECT_EQ(Error(&Program::FormCreate), "Cannot open file C:\\Q\\svclips.qvl");
  EXPECT_EQ(program.library.rows.size(), 1u);
  files.unreadable.clear();
  program.Housekeeping();
  EXPECT_NE(FirstChange(paths.rows), -1);
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, HousekeepingWritesRowsThenStoreThenPreferences) {
  PutDataFiles();
  program.FormCreate();
  program.SettingsFormCreate();
  files.log.clear();
  program.Housekeeping();
  const int rows = FirstChange(paths.rows), store = FirstChange(paths.store),
            prefs = FirstChange(paths.prefs);
  ASSERT_NE(rows, -1);
  EXPECT_LT(rows, store);
  EXPECT_LT(store, prefs);
  EXPECT_EQ(files.files[paths.rows], rowsFile);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, FailedRowsWriteSkipsStoreAndPreferences) {
  PutDataFiles();
  program.FormCreate();
  program.SettingsFormCreate();
  files.log.clear();
  files.failAtCall = files.mutatingCalls;  // the next change: the rows file's first step
  EXPECT_EQ(Error(&Program::Housekeeping), "Cannot create file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(FirstChange(paths.prefs), -1);
  EXPECT_EQ(files.files[paths.rows], rowsFile);
}

TEST_F(ProgramFiles, FailedStoreWriteSkipsPreferences) {
  PutDataFiles();
  program.FormCreate();
  program.SettingsFormCreate();
  files.log.clear();
  files.failAtCall = files.mutatingCalls + 3;  // rows: temp, backup, move; then the store
  EXPECT_EQ(Error(&Program::Housekeeping), "Cannot create file C:\\Q\\svclips.qvl");
  EXPECT_EQ(FirstChange(paths.prefs), -1);
}

TEST_F(ProgramFiles, EndOfSessionIsAllowedOnlyAfterAGoodSave) {
  PutDataFiles();
  program.FormCreate();
  program.SettingsFormCreate();
  EXPECT_EQ(program.WMQueryEndSession(), 1);
  files.failAtCall = files.mutatingCalls;
  // The error leaves the handler before it answers, so Windows is told 0.
  EXPECT_THROW(program.WMQueryEndSession(), AppError);
}

TEST_F(ProgramFiles, FailedSaveOnCloseKeepsTheProgramRunning) {
  PutDataFiles();
  program.FormCreate();
  program.SettingsFormCreate();
  program.state.copyBuffer.title = "kept";
  files.failAtCall = files.mutatingCalls;
  EXPECT_THROW(program.CloseMainWindow(), AppError);
  EXPECT_FALSE(program.state.terminateRequested);
  EXPECT_EQ(program.state.copyBuffer.title, "kept");
}

}  // namespace
}  // namespace qv::test
