// A data file another program changed after it was read is not overwritten unseen: the version
// on disk is kept beside it under a free name, and the user is told once per save.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "test_support.h"

namespace qv::test {
namespace {

using ::testing::HasSubstr;

class DiskChangeGuardTest : public ::testing::Test, public ProgramFixture {
 protected:
  const std::string rowsFile = ComposeSlotRow("Hello", Header(0)) + "\r\n";
  const std::string theirRows = ComposeSlotRow("Theirs", Header(0)) + "\r\n";
  const std::string prefsFile = "F5\r\n100\r\n0000000000\r\n";

  DiskChangeGuardTest() {
    files.files = {
        {paths.rows, rowsFile}, {paths.store, StoreOf({"hi"})}, {paths.prefs, prefsFile}};
    program.FormCreate();
    program.LoadPreferences();
  }
};

TEST_F(DiskChangeGuardTest, UnchangedFilesAreSavedWithoutAWord) {
  files.files[paths.store] = StoreOf({"hi"});  // rewritten with the same bytes
  program.Housekeeping();
  program.Housekeeping();
  EXPECT_TRUE(desktop.messages.empty());
  for (const auto& [path, bytes] : files.files)
    EXPECT_EQ(path.find(".changed"), std::string::npos) << path;
}

// The slot changed here too: this machine's version is saved, the other kept beside and
// told once. An edit the other machine makes next, with nothing changed here, is taken in.
TEST_F(DiskChangeGuardTest, ASlotChangedHereAndOnDiskIsKeptBesideAndToldOnce) {
  const std::string mine = ComposeSlotRow("Mine", Header(0));
  program.library.rows[0] = mine;
  files.files[paths.rows] = theirRows;
  program.Housekeeping();
  EXPECT_EQ(files.files[paths.rows], mine + "\r\n");
  EXPECT_EQ(files.files[paths.rows + ".changed-1"], theirRows);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0], HasSubstr("Slot 1 \"Mine\" changed both here"));
  EXPECT_THAT(desktop.messages[0], HasSubstr(paths.rows + ".changed-1 holds the other version"));
  program.Housekeeping();  // what it wrote itself is no change
  EXPECT_EQ(desktop.messages.size(), 1u);

  // The same version again is no news from there; a new one is.
  files.files[paths.rows] = theirRows;
  program.Housekeeping();
  EXPECT_EQ(files.files[paths.rows], mine + "\r\n");
  const std::string next = ComposeSlotRow("Theirs again", Header(0)) + "\r\n";
  files.files[paths.rows] = next;
  files.files[paths.prefs] = "F7\r\n100\r\n0000000000\r\n";
  program.Housekeeping();
  EXPECT_EQ(files.files[paths.rows], next);
  EXPECT_EQ(program.hotKey.Key(), 0x76);
  EXPECT_EQ(files.files.count(paths.rows + ".changed-2"), 0u);
  EXPECT_EQ(desktop.messages.size(), 1u);
}

// Made by another program after this run found no file: this run never saw it, so it is
// left as it is.
TEST_F(DiskChangeGuardTest, AFileMadeByAnotherProgramAfterAFailedReadIsLeftAlone) {
  files.files.erase(paths.prefs);
  EXPECT_EQ(ErrorOf([&] { program.preferences.Load(); }), "Cannot open file C:\\Q\\prefs.qvl");
  files.files[paths.prefs] = "F9\r\n";
  program.preferences.Save();
  EXPECT_EQ(files.files[paths.prefs], "F9\r\n");
  EXPECT_EQ(files.files.count(paths.prefs + ".changed-1"), 0u);
}

// One that looks damaged is not taken in, and told: a save keeps it beside first.
TEST_F(DiskChangeGuardTest, AChangedFileThatCannotBeKeptIsNotOverwritten) {
  const std::string damaged = theirRows + '\0';
  files.files[paths.rows] = damaged;
  program.library.rows[0] = ComposeSlotRow("Mine", Header(0));
  // The temp file, the backup written and moved, then the copy of theirs fails.
  files.failAtCall = files.mutatingCalls + 3;
  EXPECT_EQ(ErrorOf([&] { program.Housekeeping(); }), "Cannot create file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(files.files[paths.rows], damaged);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0], HasSubstr("looks damaged"));
}

}  // namespace
}  // namespace qv::test
