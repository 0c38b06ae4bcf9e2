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
  void SettingsFormCreate() { program.LoadPreferences(); }
  int FirstChange(const std::string& path) const { return test::FirstChange(files, path); }
  // Files with LF breaks, which a save rewrites with CR LF.
  void LfOnDisk() {
    for (auto& [path, bytes] : files.files) {
      for (auto at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at))
        bytes.erase(at, 1);
    }
  }
};

TEST_F(ProgramFiles, FormCreateLoadsTheDataFilesAndTakesF5) {
  for (bool ctrlHeld : {false, true}) {  // Ctrl held at start: one-shot mode, stay on top
    desktop.keyboard = {};
    if (ctrlHeld) desktop.keyboard.Press(kVkRightControl);
    program.FormCreate();
    EXPECT_EQ(program.library.rows, SlotList{rowsFile.substr(0, 92)});
    EXPECT_EQ(program.library.store, storeFile);
    EXPECT_EQ(program.state.OneShotMode, ctrlHeld ? 1 : 0);
    EXPECT_EQ(popupWindow.stayOnTop, ctrlHeld);
    EXPECT_EQ(popupWindow.rect.width, 249);
    EXPECT_EQ(program.hotKey.Key(), 0x74);
  }
}

// Neither the form's Ctrl+Alt+Down nor the creation step's F5 is registered on the way: the
// key start-up settles on is tried once, even when it fails.
TEST_F(ProgramFiles, StartUpRegistersItsKeyOnce) {
  hotKeyApi.refuse = true;
  Start();
  EXPECT_EQ(hotKeyApi.log, (std::vector<std::string>{"register 0 116"}));
}

TEST_F(ProgramFiles, TheCodePageOldFilesAreReadInIsToldOnceWhenOneWasRead) {
  codePage.notice = "read in 1251";
  Start();
  EXPECT_TRUE(desktop.notices.empty());  // ASCII files only
  files.files[paths.store] = StoreOf({"caf\xE9"});
  for (int start = 0; start < 2; ++start) Start();
  EXPECT_EQ(desktop.notices, std::vector<std::string>{"read in 1251"});
}

// A delay the settings refuse, written into the file by hand, is told: a paste waits 5 s.
TEST_F(ProgramFiles, ADelayBeyondTheBoundsInTheFileIsToldAtStart) {
  files.files[paths.prefs] = "F5\r\n8000\r\n0000000000\r\n";
  Start();
  EXPECT_EQ(desktop.messages.at(0).substr(0, 35), "The paste delay in prefs.qvl is 800");
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
  program.library.rows.push_back("new row");
  program.Housekeeping();
  EXPECT_NE(FirstChange(paths.rows), -1);
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

TEST_F(ProgramFiles, HousekeepingWritesRowsThenStoreThenPreferences) {
  LfOnDisk();
  Start();
  program.Housekeeping();
  ASSERT_NE(FirstChange(paths.rows), -1);
  EXPECT_LT(FirstChange(paths.rows), FirstChange(paths.store));
  EXPECT_LT(FirstChange(paths.store), FirstChange(paths.prefs));
  EXPECT_EQ(files.files[paths.rows], rowsFile);
  EXPECT_EQ(files.files[paths.store], storeFile);
}

// Saved before the computer sleeps, without a box that would hold it up; a failure is told
// once the user is back.
TEST_F(ProgramFiles, ASuspendSavesAndAFailureIsToldOnResume) {
  LfOnDisk();
  Start();
  files.failAtCall = files.mutatingCalls;
  program.Suspending();
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(ErrorOf([&] { program.Resumed(); }), "Cannot create file C:\\Q\\Lb1.qvl");
}

TEST_F(ProgramFiles, AFailedWriteSkipsTheFilesAfterIt) {
  LfOnDisk();
  Start();
  files.failAtCall = files.mutatingCalls;  // the rows file's temp write
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(FirstChange(paths.store), -1);
  EXPECT_EQ(FirstChange(paths.prefs), -1);
  EXPECT_EQ(files.files[paths.rows], rowsFile.substr(0, 92) + "\n");  // as it was

  files.log.clear();
  files.failAtCall = files.mutatingCalls + 4;  // rows: temp, backup temp, backup, move
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\svclips.qvl");
  EXPECT_EQ(FirstChange(paths.prefs), -1);
}

// No box inside the end-of-session query: a failure is the reason Windows shows for the
// wait, and is told once the session goes on, as are the versions kept meanwhile.
TEST_F(ProgramFiles, ASessionEndsOnlyAfterAGoodSaveAndWhatItHasToTellWaits) {
  Start();
  program.library.rows[0] = "this program's row";
  files.files[paths.rows] = "another program's row\r\n";
  EXPECT_EQ(program.WMQueryEndSession(), 1);
  EXPECT_EQ(saving.sessionEndReason, "");
  program.library.rows.push_back("new row");
  files.failAtCall = files.mutatingCalls;
  EXPECT_EQ(program.WMQueryEndSession(), 0);
  EXPECT_EQ(saving.sessionEndReason, "The clips could not be saved.");
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(ErrorOf([&] { program.WMEndSession(false); }), "Cannot create file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(saving.sessionEndReason, "");
  EXPECT_EQ(desktop.messages.size(), 1u);  // the other version, kept
  EXPECT_EQ(ErrorOf([&] { program.WMEndSession(false); }), "");
}

// A sync engine's conflict copy is another version of the files: what only it holds is taken
// in, the copy moved aside and told once. A user's own copy, backups and kept versions are no
// change of the folder.
TEST_F(ProgramFiles, AConflictCopyIsTakenInMovedAsideAndToldOnce) {
  Start();
  const std::string copy = "svclips (PC's conflicted copy 2026-12-07).qvl";
  files.files["C:\\Q\\" + copy] = StoreOf({"edited there"});
  files.files["C:\\Q\\Lb1-backup.qvl"] = rowsFile;
  for (int i = 0; i < 2; ++i) {
    folderWatch.changed("Lb1.qvl.bak");
    folderWatch.changed("Lb1-backup.qvl");
    EXPECT_EQ(quietTimer.interval, 0);
    folderWatch.changed(copy);
    program.DataFolderQuiet();
  }
  EXPECT_EQ(program.library.store, StoreOf({"edited there"}));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].find("C:\\Q\\" + copy + ".taken-in"), std::string::npos);
  EXPECT_EQ(files.files.count("C:\\Q\\" + copy), 0u);
}

// On a slow disk no step starts after two seconds: the save fails with every file whole
// before Windows would end the program in the middle of a write. Quit has no such bound.
TEST_F(ProgramFiles, TheSaveAtSessionEndStartsNoStepAfterTwoSeconds) {
  Start();
  program.library.rows.push_back("new row");
  files.beforeMutation = [&] { desktop.Wait(700); };
  EXPECT_EQ(program.WMQueryEndSession(), 0);
  EXPECT_EQ(files.files[paths.rows], rowsFile);
  EXPECT_EQ(files.files.count(paths.rows + ".tmp"), 0u);
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "");
}

// A held file is waited for on the desktop's clock (handling messages) only within the bound,
// reads included; whatever ends the save lifts the bound, and a save asked for while one
// waits is refused rather than run on the same files.
TEST_F(ProgramFiles, HeldFilesAtSessionEndAreWaitedForOnlyWithinTheBound) {
  for (const std::string* held : {&paths.rows, &paths.store, &paths.prefs}) {
    files.busyUntilMs.clear();
    desktop.now += 5000;  // no busy spell left over
    Start();
    program.library.rows.push_back("new row");
    files.now = &desktop.now;
    files.busyUntilMs = {{*held, desktop.now + 60000}};
    const std::int64_t start = desktop.now;
    // Only the rows need writing: another file held costs neither the save nor time.
    const bool needed = held == &paths.rows;
    EXPECT_EQ(program.WMQueryEndSession(), needed ? 0 : 1) << *held;
    EXPECT_EQ(desktop.now - start, needed ? 2000 : 0) << *held;
  }
  files.busyUntilMs.clear();
  program.library.rows.push_back("new row");
  files.beforeMutation = [] { throw std::bad_alloc(); };
  EXPECT_THROW(program.WMQueryEndSession(), std::bad_alloc);
  files.beforeMutation = [&] { desktop.Wait(700); };
  files.busyUntilMs = {{paths.rows, desktop.now + 500}};
  int answer = -1;
  std::string quit;
  desktop.whileWaiting = [&] {
    answer = program.WMQueryEndSession();
    quit = ErrorOf([&] { program.CloseMainWindow(); });
  };
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "");
  EXPECT_EQ(std::tuple(answer, quit, ended),
            std::tuple(0, "The clips are still being saved. Try again in a moment.", false));
}

}  // namespace
}  // namespace qv::test
