// The edit lock and the "Add / Modify Clip" dialog, and copying a clip between slots.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "editor/editor_controller.h"
#include "editor/title_field.h"
#include "popup_test_support.h"

namespace qv::test {
namespace {

class EditorTest : public PopupTest {
 protected:
  FakeForm& dialog = editorWindow;
  EditorController& editor = program.editor;

  EditorTest() {
    popupWindow.rect = {0, 50, 249, 496};
    title.enabled = false;
    updateClip.enabled = false;
    LoadThenForgetFiles();
    files.files[paths.prefs] = "F5\r\n100\r\n0000000000\r\n";
    program.preferences.Load();
    files.files.clear();
    files.log.clear();
  }

  void Lock() {
    editor.LockForUpdate1Click();
    editor.FormActivate();
  }
  // The user clicks row `row`; the list's selection changes first.
  void ClickRow(int row) {
    slotList.Select(row);
    popup.RxCheckListBox1Click();
  }
  // The user clicks into the content field and types, which replaces its text.
  void Edit(const std::string& newTitle, const std::string& newContent) {
    title.text = newTitle;
    content.text = newContent;
    editor.FieldMouseUp();
  }
  std::string Stored(int slot) {
    CurrentSlot ignored;
    return GatherFullClip(program.library.rows, slot, program.library.store, ignored);
  }
  // Every slot's clip but `except`.
  std::vector<std::string> OtherClips(int except) {
    std::vector<std::string> clips;
    for (int k = 0; k < kSlotCount; ++k)
      if (k != except) clips.push_back(Stored(k));
    return clips;
  }
};

TEST_F(EditorTest, LockPutsListAndDialogSideBySideAndLocksTheList) {
  Lock();
  EXPECT_EQ(program.state.EditMode, 1);
  EXPECT_TRUE(popupWindow.visible && dialog.visible);
  EXPECT_EQ(popupWindow.rect.left, (1280 - (249 + 365)) / 2);
  EXPECT_EQ(dialog.rect.left, popupWindow.rect.left + 249);
  EXPECT_EQ(timer3.Interval(), 100);
  popup.HotKey1HotKey();
  popup.FormKeyDown('C');
  popup.SpeedButton8Click();
  popup.AppDeactivate();
  EXPECT_TRUE(popupWindow.visible);
  EXPECT_EQ(desktop.clipboard, "");
}

// Load, edit, Update Clip, Close: the row and the block change, no other slot does, and all
// three files are written; the next paste types the new text.
TEST_F(EditorTest, UpdateWritesTheLoadedSlotOnlyAndCloseSavesEverything) {
  const std::string title27 = " 27 characters, leading bl.";
  ASSERT_EQ(title27.size(), 27u);
  Lock();
  ClickRow(7);
  EXPECT_EQ(program.state.EditMode, 2);
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("Slot 7", "clip 7"));
  EXPECT_TRUE(title.enabled && content.enabled && !updateClip.enabled);
  const auto others = OtherClips(7);
  Edit(title27, "first\r\n\r\nthird\r\n");
  EXPECT_TRUE(updateClip.enabled);
  editor.SpeedButton2Click();
  EXPECT_EQ(program.library.rows[7], ComposeSlotRow(title27, Header(7)));
  EXPECT_EQ(slotList.items[7], program.library.rows[7]);
  EXPECT_EQ(Stored(7), "first\r\n\r\nthird\r\n");
  EXPECT_EQ(OtherClips(7), others);
  EXPECT_EQ(std::tuple(title.text, content.text, title.enabled, updateClip.enabled),
            std::tuple("", "", false, false));
  EXPECT_TRUE(files.files.empty());  // memory only until Close

  editor.SpeedButton1Click();
  EXPECT_EQ(program.state.EditMode, 0);
  EXPECT_FALSE(popupWindow.visible || dialog.visible);
  EXPECT_EQ(files.files[paths.rows], SerializeRows(program.library.rows));
  EXPECT_EQ(files.files[paths.store], program.library.store);
  EXPECT_EQ(files.files.count(paths.prefs), 1u);
  EXPECT_FALSE(content.menuAutoPopup);
  Lock();
  ClickRow(7);
  EXPECT_EQ(title.text, title27);  // read back without trailing blanks, all 27 characters
  editor.SpeedButton3Click();      // Clear, then Update: an empty block
  editor.SpeedButton2Click();
  EXPECT_NE(program.library.store.find(Header(7) + "\r\n" + Trailer(7) + "\r\n"),
            std::string::npos);
}

// The limit judges the store as the update leaves it: in an 800-line store a one-line clip
// may grow by 50 lines, not 51. A refusal keeps the edits, ClipChanged and Update Clip.
TEST_F(EditorTest, LineLimitJudgesTheStoreAsTheUpdateLeavesIt) {
  while (LineCount(program.library.store) < 800) program.library.store += "filler\r\n";
  std::string fifty;
  for (int i = 0; i < 50; ++i) fifty += "line\r\n";
  Lock();
  ClickRow(3);
  Edit("t", fifty + "one\r\ntoo many");
  popupWindow.stayOnTop = true;
  editor.SpeedButton2Click();
  EXPECT_EQ(desktop.messages.back(), kLineLimitError);
  EXPECT_EQ(desktop.pointer.x, 640 - 20);
  EXPECT_EQ(desktop.pointer.y, 512 + 34);
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("t", fifty + "one\r\ntoo many"));
  EXPECT_EQ(editor.state.ClipChanged, 1);
  EXPECT_TRUE(updateClip.enabled);
  EXPECT_FALSE(popupWindow.stayOnTop);
  EXPECT_EQ(Stored(3), "clip 3");
  Edit("t", fifty + "one");
  editor.SpeedButton2Click();
  EXPECT_EQ(Stored(3), fifty + "one");
  EXPECT_EQ(LineCount(program.library.store), 850);
}

TEST_F(EditorTest, RowClickOnAChangedClipWarnsFirst) {
  Lock();
  ClickRow(4);
  Edit("mine", "edited");
  desktop.answers = {MessageAnswer::Ok};
  ClickRow(9);
  EXPECT_EQ(desktop.messages.back(), kClipChangedWarning);
  EXPECT_EQ(slotList.Selection(), 4);  // jumped back to the loaded row
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("mine", "edited"));
  EXPECT_EQ(editor.state.ClipChanged, 0);
  editor.SpeedButton2Click();  // the edits still go to the loaded slot
  EXPECT_EQ(Stored(4), "edited");
  ClickRow(9);
  EXPECT_EQ(content.text, "clip 9");

  Edit("other", "edited 9");
  desktop.answers = {MessageAnswer::Cancel};  // closed by its close box: row 9 again
  ClickRow(20);
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("Slot 9", "clip 9"));
  EXPECT_EQ(editor.state.ClipChanged, 1);
}

TEST_F(EditorTest, CloseAnsweredYesStaysAndNoDiscardsAndSaves) {
  Lock();
  ClickRow(2);
  Edit("x", "y");
  desktop.answers = {MessageAnswer::Yes};
  editor.SpeedButton1Click();
  EXPECT_EQ(program.state.EditMode, 2);
  EXPECT_EQ(content.text, "y");
  EXPECT_TRUE(files.files.empty());
  desktop.answers = {MessageAnswer::No};
  editor.SpeedButton1Click();
  EXPECT_EQ(program.state.EditMode, 0);
  EXPECT_EQ(Stored(2), "clip 2");
  EXPECT_EQ(files.files.count(paths.store), 1u);
}

// Typed after Tab, no click: Update is offered, and Quit asks as Close does.
TEST_F(EditorTest, TypingMarksTheClipAndQuitAsksBeforeLosingIt) {
  Lock();
  ClickRow(2);
  content.text = "typed";
  editor.FieldChanged();
  EXPECT_TRUE(updateClip.enabled);
  desktop.answers = {MessageAnswer::Yes, MessageAnswer::No};
  program.Quit1Click();
  EXPECT_FALSE(program.TerminateRequested());  // back to the dialog
  program.Quit1Click();
  EXPECT_TRUE(program.TerminateRequested());
}

// The keyboard alone: Escape is Close with its question, Enter in the title moves on to the
// text (where it is a line break), Ctrl+A selects the field it is pressed in.
TEST_F(EditorTest, KeyboardClosesWithTheQuestionMovesOnAndSelectsAll) {
  FakeEditorFocus& focus = editorFocus;
  Lock();
  ClickRow(2);
  content.text = "typed";
  editor.FieldChanged();
  EXPECT_TRUE(editor.FormKeyDown(EditorKey::Enter, EditorField::Title));
  EXPECT_EQ(focus.focused, EditorField::Content);
  EXPECT_FALSE(editor.FormKeyDown(EditorKey::Enter, EditorField::Content));
  EXPECT_TRUE(editor.FormKeyDown(EditorKey::SelectAll, EditorField::Content));
  EXPECT_EQ(focus.allSelected, EditorField::Content);
  EXPECT_FALSE(editor.FormKeyDown(EditorKey::SelectAll, EditorField::Button));
  desktop.answers = {MessageAnswer::Yes, MessageAnswer::No};
  EXPECT_TRUE(editor.FormKeyDown(EditorKey::Escape, EditorField::Content));
  EXPECT_TRUE(dialog.visible && content.text == "typed");
  editor.FormKeyDown(EditorKey::Escape, EditorField::Button);
  EXPECT_EQ(program.state.EditMode, 0);
  EXPECT_FALSE(dialog.visible);
}

// A full title refuses what is typed; a mark joins the letter before it and takes no room.
TEST(TitleFieldTest, FullTitleRefusesTypingInWholeCharacters) {
  const std::string full(27, 'x'), short26(26, 'x');
  for (const auto& [kept, typed, taken] :
       {std::tuple{full, "y", ""}, std::tuple{short26, "yz", "y"},
        std::tuple{short26, "\xC3\xA9\xC3\xA9", "\xC3\xA9"},
        std::tuple{full, "\xCC\x81", "\xCC\x81"},
        std::tuple{short26, "\xF0\x9F\x98\x80!", "\xF0\x9F\x98\x80"}})
    EXPECT_EQ(TypedPartThatFits(kept, typed, 27), taken) << typed;
}

// A failed save keeps the lock on; once the cause is gone, Close saves what memory holds.
TEST_F(EditorTest, FailedSaveAtCloseKeepsTheLockAndLosesNothing) {
  Lock();
  ClickRow(5);
  Edit("new", "new text");
  editor.SpeedButton2Click();
  files.failAtCall = files.mutatingCalls;
  EXPECT_EQ(ErrorOf([&] { editor.SpeedButton1Click(); }).rfind("Cannot create file", 0), 0u);
  EXPECT_EQ(program.state.EditMode, 2);
  EXPECT_TRUE(dialog.visible);
  files.failAtCall = -1;
  editor.SpeedButton1Click();
  EXPECT_EQ(program.state.EditMode, 0);
  EXPECT_EQ(ParseStoreFile(files.files[paths.store]), program.library.store);
  EXPECT_NE(files.files[paths.store].find("new text"), std::string::npos);
}

// Nothing the user types can damage the store, and only a slot loaded in this turn of the
// lock is written; each refusal says why and keeps the fields.
TEST_F(EditorTest, UpdatesThatWouldDamageTheStoreOrHitAnotherSlotAreRefused) {
  const std::string store = program.library.store;
  const SlotList rows = program.library.rows;
  Lock();
  editor.SpeedButton3Click();  // Update Clip enabled before any row was loaded
  Edit("t", "text");
  editor.SpeedButton2Click();
  EXPECT_EQ(desktop.messages.back(), kNoRowLoaded);
  ClickRow(6);  // the warning about the edits, answered OK
  ClickRow(6);
  for (const auto& [newTitle, newContent] :
       {std::pair{"/:HDR:\\ in the title", "ok"}, std::pair{"ok", "a /:tlr:\\TESTSLOT000006"}}) {
    Edit(newTitle, newContent);
    editor.SpeedButton2Click();
    EXPECT_EQ(desktop.messages.back(), kTagTextRefused);
    EXPECT_EQ(content.text, newContent);
  }
  Edit("ab\rcd", "ok");  // a row split in two in the file would shift every later slot
  editor.SpeedButton2Click();
  EXPECT_EQ(desktop.messages.back(), kTitleBreakRefused);
  EXPECT_EQ(title.text, "ab\rcd");
  program.library.rows[11] = "a row without any tag";
  ClickRow(11);  // the warning about the edits, answered OK
  ClickRow(11);
  EXPECT_EQ(desktop.messages.back(), kRowWithoutTag);
  EXPECT_EQ(program.state.EditMode, 2);
  EXPECT_EQ(program.library.current.rowIndex, 6);
  program.library.rows[11] = rows[11];
  EXPECT_EQ(program.library.store, store);
  EXPECT_EQ(program.library.rows, rows);
}

// Copy on A, load B, Paste: B's fields get A's title and lines with a final break; the
// buffer is then empty, so a second Paste empties the fields.
TEST_F(EditorTest, CopyMenuCopiesThroughTheFields) {
  desktop.pointer = {300, 400};
  slotList.Select(3);
  editor.RxCheckListBox1MouseDown(true);
  editor.RxCheckListBox1MouseUp(true);
  EXPECT_TRUE(copyMenu.openedAt.empty());  // lock off
  Lock();
  editor.RxCheckListBox1MouseUp(true);
  EXPECT_TRUE(copyMenu.openedAt.empty());  // not armed yet
  SetContent(3, "abc");
  editor.RxCheckListBox1MouseDown(true);
  ClickRow(3);
  copyMenu.choose = [&] { editor.CopyHighlightedClip1Click(); };
  editor.RxCheckListBox1MouseUp(true);
  EXPECT_EQ(copyMenu.openedAt.back(), std::pair(300, 380));
  ClickRow(8);
  copyMenu.choose = [&] { editor.PastetoHighlightedClip1Click(); };
  editor.RxCheckListBox1MouseUp(true);
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("Slot 3", "abc\r\n"));
  EXPECT_TRUE(updateClip.enabled);
  editor.RxCheckListBox1MouseUp(true);
  EXPECT_EQ(std::tuple(title.text, content.text), std::tuple("", ""));
  Edit("Slot 3", "abc\r\n");
  editor.SpeedButton2Click();
  EXPECT_EQ(Stored(8), "abc\r\n");
  EXPECT_FALSE(editor.state.copyMenuArmed);
}

// While the Close warning waits for an answer, the list's timer and the user's scrolling
// work on the list as it is, and their changes stay.
TEST_F(EditorTest, HandlersRunWhileAMessageBoxWaitsSeeTheLiveList) {
  Lock();
  ClickRow(40);
  Edit("x", "y");
  desktop.whileMessage = [&] {
    EXPECT_EQ(slotList.Selection(), 40);
    slotList.SetTopRow(36);
    popup.Timer3Timer();
  };
  desktop.answers = {MessageAnswer::Yes};
  editor.SpeedButton1Click();
  EXPECT_EQ(slotList.TopRow(), 36);
  EXPECT_EQ(labelColumn.TopRow(), 36);
}

}  // namespace
}  // namespace qv::test
