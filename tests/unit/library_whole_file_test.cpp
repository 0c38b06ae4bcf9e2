// Files another program writes: a file cut anywhere is never taken in nor saved, and two
// machines' saves that a sync engine turned into a live file and a conflict copy both stay.
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "test_support.h"

namespace qv::test {
namespace {

class WholeFileTest : public ::testing::Test, public ProgramFixture {
 protected:
  const SlotList rows = RowsOf(3);
  const std::string rowsFile = SerializeRows(rows);
  const std::string storeFile = StoreOf({"one", "two\r\nlines", ""});
  const std::string prefsFile = "F6\r\n250\r\n2000000000\r\n";

  WholeFileTest() {
    files.files = {{paths.rows, rowsFile}, {paths.store, storeFile}, {paths.prefs, prefsFile}};
    program.FormCreate();
    program.LoadPreferences();
  }
};

TEST_F(WholeFileTest, EveryCutOfEveryFileIsNeitherTakenInNorSaved) {
  for (const std::string* path : {&paths.rows, &paths.store, &paths.prefs}) {
    const std::string whole = files.files[*path];
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      SCOPED_TRACE(*path + " cut at " + std::to_string(cut));
      files.files[*path] = whole.substr(0, cut);
      program.DataFolderQuiet();
      program.Housekeeping();
      EXPECT_EQ(program.library.rows, rows);
      EXPECT_EQ(program.library.store, storeFile);
      EXPECT_EQ(program.preferences.values.pasteDelay, "250");
      files.files[*path] = whole;
    }
  }
  for (const auto& m : desktop.messages) ADD_FAILURE() << m;
}

// The engine kept this machine's save of slot 0 as a conflict copy and put the other's save
// of slot 2 in place, each made from the version both had: both edits end in the files.
TEST_F(WholeFileTest, TwoSavesThroughAnEngineConflictCopyKeepBothEdits) {
  program.library.rows[0] = ComposeSlotRow("Mine", Header(0));
  program.Housekeeping();
  const std::string mine = files.files[paths.rows];
  SlotList theirs = rows;
  theirs[2] = ComposeSlotRow("Theirs", Header(2));
  files.files[paths.rows] = SerializeRows(theirs);
  files.files["C:\\Q\\Lb1 (PC2's conflicted copy).qvl"] = mine;
  folderWatch.changed("Lb1.qvl");
  folderWatch.changed("Lb1 (PC2's conflicted copy).qvl");
  program.DataFolderQuiet();
  program.Housekeeping();
  SlotList both = rows;
  both[0] = ComposeSlotRow("Mine", Header(0));
  both[2] = ComposeSlotRow("Theirs", Header(2));
  EXPECT_EQ(files.files[paths.rows], SerializeRows(both));
}

// A held file that needs no write costs the save nothing; the one held is the one named.
TEST_F(WholeFileTest, AHeldFileThatNeedsNoWriteLeavesTheSaveAlone) {
  files.now = &desktop.now;
  files.busyUntilMs = {{paths.store, desktop.now + 60000}};
  program.preferences.values.ParamFlags = "3000000000";
  const std::int64_t start = desktop.now;
  EXPECT_EQ(program.WMQueryEndSession(), 1);
  EXPECT_EQ(desktop.now - start, 0);
  EXPECT_EQ(files.files[paths.prefs], "F6\r\n250\r\n3000000000\r\n");
  program.library.store += "x";
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\svclips.qvl");
}

// A watch lost (an overflow, a share gone) is no reason to miss another machine's edit: the
// files are read again, and looked at every few seconds until the watch works again.
TEST_F(WholeFileTest, ALostWatchFallsBackToLookingAtTheFiles) {
  folderWatch.working = false;
  folderWatch.changed("");
  SlotList theirs = rows;
  theirs[1] = ComposeSlotRow("Theirs", Header(1));
  files.files[paths.rows] = SerializeRows(theirs);
  for (int look = 0; look < 2; ++look) {
    ASSERT_GT(quietTimer.interval, 0);
    program.DataFolderQuiet();
  }
  EXPECT_EQ(program.library.rows, theirs);
  EXPECT_GT(quietTimer.interval, 0);
  folderWatch.working = true;
  program.DataFolderQuiet();
  EXPECT_EQ(quietTimer.interval, 0);
}

}  // namespace
}  // namespace qv::test
