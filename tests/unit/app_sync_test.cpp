// The data folder as a sync engine changes it while the program runs: what changed is taken
// in once the folder is quiet, into the list, the settings and the editor.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "test_support.h"

namespace qv::test {
namespace {

using ::testing::HasSubstr;

class SyncTest : public ::testing::Test, public ProgramFixture {
 protected:
  std::vector<std::string> contents = std::vector<std::string>(72, "text");

  SyncTest() {
    files.files = {{paths.rows, Rows(RowsOf(72))},
                   {paths.store, StoreOf(contents)},
                   {paths.prefs, "F5\r\n100\r\n0000000000\r\n"}};
    program.FormCreate();
    program.LoadPreferences();
  }
  static std::string Rows(const SlotList& rows) {
    std::string file;
    for (const auto& row : rows) file += row + "\r\n";
    return file;
  }
  // Another computer's edit of `slot`, brought in by the sync engine.
  void OtherComputerEdits(int slot, const std::string& title, const std::string& content) {
    SlotList rows = RowsOf(72);
    rows[slot] = ComposeSlotRow(title, Header(slot));
    files.files[paths.rows] = Rows(rows);
    std::vector<std::string> theirs = contents;
    theirs[slot] = content;
    files.files[paths.store] = StoreOf(theirs);
    folderWatch.changed("Lb1.qvl");
    folderWatch.changed("svclips.qvl");
  }
  void LoadInEditor(int row) {
    program.editor.LockForUpdate1Click();
    slotList.Select(row);
    program.editor.RowClick();
  }
};

TEST_F(SyncTest, ChangedFilesAreTakenInOnceTheFolderIsQuiet) {
  slotList.SetTopRow(36);
  folderWatch.changed("svclips.qvl.bak");
  folderWatch.changed("Lb1.qvl.changed-1");
  EXPECT_EQ(quietTimer.interval, 0);
  OtherComputerEdits(40, "Theirs", "their text");
  files.files[paths.prefs] = "F7\r\n100\r\n2000000000\r\n";
  const std::string copy = "svclips (PC's conflicted copy 2026-12-07).qvl";
  folderWatch.changed(copy);
  EXPECT_EQ(quietTimer.interval, 400);
  program.DataFolderQuiet();
  EXPECT_EQ(quietTimer.interval, 0);
  EXPECT_EQ(slotList.items[40], ComposeSlotRow("Theirs", Header(40)));
  EXPECT_EQ(slotList.TopRow(), 36);
  EXPECT_EQ(
      GatherFullClip(program.library.rows, 40, program.library.store, program.library.current),
      "their text");
  EXPECT_EQ(program.hotKey.Key(), 0x76);
  EXPECT_TRUE(crlf.down);
  ASSERT_EQ(desktop.messages.size(), 1u);  // the conflict copy, told once
  EXPECT_THAT(desktop.messages[0], HasSubstr("C:\\Q\\" + copy));
  folderWatch.changed(copy);
  program.DataFolderQuiet();
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(SyncTest, TheEditorKeepsTheUsersFieldsAndUpdateKeepsTheOtherVersion) {
  LoadInEditor(3);
  OtherComputerEdits(3, "Theirs", "their text");
  program.DataFolderQuiet();
  EXPECT_EQ(content.Text(), "their text");  // untouched: the new version shows

  OtherComputerEdits(3, "Theirs again", "their next text");
  content.SetText("my text");
  program.editor.FieldMouseUp();
  program.DataFolderQuiet();
  EXPECT_EQ(content.Text(), "my text");
  program.editor.SpeedButton2Click();  // Update Clip
  EXPECT_EQ(program.library.rows[3], ComposeSlotRow("Theirs", Header(3)));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0], HasSubstr("Slot 4 \"Theirs\" was changed in another copy"));
  EXPECT_EQ(files.files[paths.store + ".changed-1"], files.files[paths.store]);
  program.Housekeeping();
  EXPECT_THAT(files.files[paths.store], HasSubstr("my text"));
  EXPECT_THAT(files.files[paths.store + ".changed-1"], HasSubstr("their next text"));
  EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace qv::test
