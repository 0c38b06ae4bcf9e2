// Start-up and saving: the main window's creation step, Housekeeping and its triggers.
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "test_support.h"

namespace qv::test {
namespace {

class ProgramFiles : public ::testing::Test, public ProgramFixture {
 protected:
  const std::string rowsFile = ComposeSlotRow("Hello", Header(0)) + "\r\n";
  const std::string storeFile = StoreOf({"hello there"});

  ProgramFiles() {
    files.files = {{paths.rows, rowsFile},
                   {paths.store, storeFile},
                   {paths.prefs, "F5\r\n100\r\n0000000000\r\n"}};
  }
  void Start() {
    program.FormCreate();
    SettingsFormCreate();
    files.log.clear();
  }
  // The settings dialog's creation step: load and apply the preferences.
  void SettingsFormCreate() {
    program.preferences.InitializeParameters("PgmStart");
    program.preferences.InitializeParameters("PgmUpdate");
  }
  int FirstChange(const std::string& path) const { return test::FirstChange(files, path); }
};

TEST_F(ProgramFiles, FormCreateLoadsTheDataFilesAndTakesF5) {
  for (bool ctrlHeld : {false, true}) {  // Ctrl held at start: one-shot mode, stay on top
    desktop.ctrlHeld = ctrlHeld;
    program.FormCreate();
    EXPECT_EQ(program.library.rows, SlotList{rowsFile.substr(0, 92)});
    EXPECT_EQ(program.library.store, storeFile);
    EXPECT_EQ(program.state.OneShotMode, ctrlHeld ? 1 : 0);
    EXPECT_EQ(popupWindow.stayOnTop, ctrlHeld);
    EXPECT_EQ(popupWindow.rect.width, 249);
    EXPECT_EQ(program.hotKey.Key(), 0x74);
  }
}

// The form's Ctrl+Alt+Down is registered as the window is built and found registered after
// loading; the creation step's F5 is then tried once, even when it fails.
TEST_F(ProgramFiles, StartUpTriesF5Once) {
  hotKeyApi.refuse = true;
  program.FormCreate();
  EXPECT_EQ(hotKeyApi.log,
            (std::vector<std::string>{"register 3 40", "unregister", "register 0 116"}));
}

TEST_F(ProgramFiles, MissingRowsFileIsOneErrorAndNeitherDataFileIsWrittenLater) {
  files.files.erase(paths.rows);
  EXPECT_EQ(ErrorOf([&] { program.FormCreate(); }), "Cannot open file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(program.library.rows, DesignSlotRows());
  EXPECT_TRUE(program.library.store.empty());
  EXPECT_EQ(files.log, std::vector<std::string>{"read " + paths.rows});
  SettingsFormCreate();
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "");
  EXPECT_EQ(FirstChange(paths.rows), -1);
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(files.files.count(paths.rows), 0u);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, UnreadableStoreIsNotOverwrittenByHousekeeping) {
  files.unreadable.insert(paths.store);
  EXPECT_EQ(ErrorOf([&] { program.FormCreate(); }), "Cannot open file C:\\Q\\svclips.qvl");
  EXPECT_EQ(program.library.rows.size(), 1u);
  files.unreadable.clear();
  program.Housekeeping();
  EXPECT_NE(FirstChange(paths.rows), -1);
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, HousekeepingWritesRowsThenStoreThenPreferences) {
  Start();
  program.Housekeeping();
  ASSERT_NE(FirstChange(paths.rows), -1);
  EXPECT_LT(FirstChange(paths.rows), FirstChange(paths.store));
  EXPECT_LT(FirstChange(paths.store), FirstChange(paths.prefs));
  EXPECT_EQ(files.files[paths.rows], rowsFile);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, AFailedWriteSkipsTheFilesAfterIt) {
  Start();
  files.failAtCall = files.mutatingCalls;  // the rows file's temp write
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\Lb1.qvl.tmp");
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(FirstChange(paths.prefs), -1);
  EXPECT_EQ(files.files[paths.rows], rowsFile);

  files.log.clear();
  files.failAtCall = files.mutatingCalls + 4;  // rows: temp, backup temp, backup, move
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\svclips.qvl.tmp");
  EXPECT_EQ(FirstChange(paths.prefs), -1);
}

TEST_F(ProgramFiles, ASessionEndsAndTheProgramClosesOnlyAfterAGoodSave) {
  Start();
  EXPECT_EQ(program.WMQueryEndSession(), 1);
  program.state.copyBuffer.title = "kept";
  files.failAtCall = files.mutatingCalls;
  // The error leaves the handler before it answers, so Windows is told 0.
  EXPECT_THROW(program.WMQueryEndSession(), AppError);
  files.failAtCall = files.mutatingCalls;
  EXPECT_THROW(program.CloseMainWindow(), AppError);
  EXPECT_FALSE(ended);
  EXPECT_EQ(program.state.copyBuffer.title, "kept");
}

}  // namespace
}  // namespace qv::test
