#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "popup_test_support.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;

class PopupPasteTest : public PopupTest {
 protected:
  PopupPasteTest() {
    program.state.PasteDelayMs = 250;
    ShowByHotKey();
  }

  void ExpectPasted(const std::string& text) {
    EXPECT_EQ(desktop.clipboard, text);
    EXPECT_THAT(desktop.log, ElementsAre("clipboard", "minimise", "hide", "wait 250", "ctrl+v"));
  }

  void ExpectNothingPasted() {
    EXPECT_TRUE(desktop.log.empty());
    EXPECT_EQ(desktop.clipboard, "");
    EXPECT_TRUE(popupWindow.visible);
    EXPECT_EQ(program.state.PopupShown, 1);
  }
};

TEST_F(PopupPasteTest, KeyPastesItsRowInOrderAndResetsTheList) {
  program.popup.topRow = 5;
  popup.FormKeyDown('C');
  ExpectPasted("clip 12");
  EXPECT_EQ(program.popup.selectedRow, -1);
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_EQ(program.state.PopupShown, 0);
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(program.popup.timer3Interval, 100);  // the deactivation stops it
}

TEST_F(PopupPasteTest, KeyChoosesTheRowByTopRow) {
  struct Case {
    unsigned key;
    int top;
    const char* clip;
  };
  for (Case c : {Case{'C', 0, "clip 12"}, Case{'C', 12, "clip 12"}, Case{'C', 13, "clip 48"},
                 Case{'1', 0, "clip 0"}, Case{'1', 1, "clip 36"}, Case{'Z', 36, "clip 71"},
                 Case{'0', 36, "clip 45"}}) {
    program.popup.topRow = c.top;
    popup.FormKeyDown(c.key);
    EXPECT_EQ(desktop.clipboard, c.clip) << "key " << c.key << " top " << c.top;
    EXPECT_EQ(program.library.current.rowIndex, *SlotRowForKey(c.key, c.top, kSlotCount));
  }
}

TEST_F(PopupPasteTest, PasteRecordsTheCurrentSlot) {
  program.popup.topRow = 13;
  popup.FormKeyDown('C');
  EXPECT_EQ(program.library.current.rowIndex, 48);
  EXPECT_EQ(program.library.current.header, HeaderFor(48));
  EXPECT_EQ(program.library.current.trailer, TrailerFor(48));
}

TEST_F(PopupPasteTest, ShiftOrCtrlWithALetterChoosesTheSameRow) {
  // The shift state never reaches the handler; the letter's code is all that counts.
  popup.FormKeyDown(0x10);  // Shift itself
  popup.FormKeyDown('C');
  ExpectPasted("clip 12");
}

TEST_F(PopupPasteTest, OtherKeysOnlyClearTheSelection) {
  program.popup.topRow = 20;
  for (unsigned vk : {0x1Bu, 0x60u, 0x61u, 0x69u, 0x74u, 0x26u, 0x6Eu}) {
    program.popup.selectedRow = 7;
    popup.FormKeyDown(vk);
    EXPECT_EQ(program.popup.selectedRow, -1) << vk;
  }
  EXPECT_EQ(program.popup.topRow, 20);
  ExpectNothingPasted();
}

TEST_F(PopupPasteTest, KeyForAMissingRowPastesNothing) {
  SetSlotCount(40);
  program.popup.topRow = 13;
  popup.FormKeyDown('C');  // row 48 does not exist
  EXPECT_EQ(program.popup.selectedRow, -1);
  ExpectNothingPasted();
  popup.FormKeyDown('1');  // row 36 does
  EXPECT_EQ(desktop.clipboard, "clip 36");
}

TEST_F(PopupPasteTest, KeyOnARowWithoutHeaderPastesNothingAndKeepsTheStore) {
  program.library.rows[12] = "a title without any tag, but longer than twenty-one";
  const std::string store = program.library.store;
  const CurrentSlot before = program.library.current;
  program.popup.topRow = 4;

  popup.FormKeyDown('C');

  ExpectNothingPasted();
  EXPECT_EQ(program.popup.selectedRow, -1);
  EXPECT_EQ(program.popup.topRow, 4);
  EXPECT_EQ(program.library.store, store);
  EXPECT_EQ(program.library.current.rowIndex, before.rowIndex);
  EXPECT_EQ(program.library.current.header, before.header);
}

TEST_F(PopupPasteTest, SuffixButtons) {
  SetContent(12, "abc");
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.clipboard, "abc");

  program.popup.crlfDown = true;
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.clipboard, "abc\x0D\x0A");

  program.popup.crlfDown = false;
  program.popup.crlfLfDown = true;
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.clipboard, "abc\x0D\x0A\x0A");
}

TEST_F(PopupPasteTest, EmptySlotStillPastes) {
  SetContent(3, "");
  desktop.clipboard = "old";
  popup.FormKeyDown('4');
  ExpectPasted("");
}

TEST_F(PopupPasteTest, MultiLineClipIsPastedExactly) {
  SetContent(10, "first\r\n\r\nthird | with bar\r\n");
  popup.FormKeyDown('A');
  EXPECT_EQ(desktop.clipboard, "first\r\n\r\nthird | with bar\r\n");
}

TEST_F(PopupPasteTest, BusyClipboardStopsThePasteBeforeAnythingIsHidden) {
  desktop.clipboardBusy = true;
  EXPECT_THROW(popup.FormKeyDown('C'), AppError);
  EXPECT_THAT(desktop.log, ElementsAre("clipboard"));
  EXPECT_EQ(program.popup.selectedRow, 12);
  EXPECT_TRUE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 1);
}

TEST_F(PopupPasteTest, PasteWaitIsBounded) {
  program.state.PasteDelayMs = -500;
  popup.FormKeyDown('C');
  program.state.PasteDelayMs = 2000000000;
  popup.FormKeyDown('C');
  EXPECT_THAT(desktop.log, ::testing::Contains("wait 0"));
  EXPECT_THAT(desktop.log, ::testing::Contains("wait 10000"));
}

TEST_F(PopupPasteTest, EditLockIgnoresSlotKeysAndKeepsTheSelection) {
  program.state.EditMode = 2;
  program.popup.selectedRow = 7;
  popup.FormKeyDown('C');
  popup.FormKeyDown(0x1B);
  EXPECT_EQ(program.popup.selectedRow, 7);
  ExpectNothingPasted();
}

TEST_F(PopupPasteTest, RowClickPastesTheSelectedRow) {
  program.popup.topRow = 30;
  program.popup.selectedRow = 40;
  popup.RxCheckListBox1Click();
  ExpectPasted("clip 40");
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_EQ(program.popup.selectedRow, -1);
  EXPECT_FALSE(program.state.terminateRequested);
}

TEST_F(PopupPasteTest, RowClickWithoutHeaderShowsTheFirstPage) {
  program.library.rows[40] = "no tag here";
  program.popup.topRow = 30;
  program.popup.selectedRow = 40;
  popup.RxCheckListBox1Click();
  ExpectNothingPasted();
  EXPECT_EQ(program.popup.selectedRow, 40);
  EXPECT_EQ(program.popup.topRow, 0);
}

TEST_F(PopupPasteTest, HeaderTestIsCaseSensitive) {
  program.library.rows[40] = ComposeSlotRow("Slot 40", "/:HDR:\\QvSlot00000040");
  program.popup.selectedRow = 40;
  popup.RxCheckListBox1Click();
  ExpectNothingPasted();
}

TEST_F(PopupPasteTest, RowClickWhileEditingRunsTheEditorsRowLoad) {
  int loads = 0;
  popup.editorRowLoad = [&] { ++loads; };
  program.state.EditMode = 1;
  program.popup.selectedRow = 40;
  program.popup.topRow = 30;
  popup.RxCheckListBox1Click();
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(program.popup.topRow, 30);
  ExpectNothingPasted();

  popup.editorRowLoad = nullptr;  // not wired yet: still no paste
  popup.RxCheckListBox1Click();
  ExpectNothingPasted();
}

TEST_F(PopupPasteTest, SuffixButtonClickStoresTheChoiceInParamFlags) {
  program.state.ParamFlags = "2000000000";
  program.popup.crlfDown = true;
  ClickSuffixButton(program.popup, SuffixButton::CrLf);  // the down one raises
  popup.SpeedButton3Click();
  EXPECT_EQ(program.state.ParamFlags[0], '0');

  ClickSuffixButton(program.popup, SuffixButton::CrLfLf);
  popup.SpeedButton3Click();
  EXPECT_EQ(program.state.ParamFlags[0], '3');

  ClickSuffixButton(program.popup, SuffixButton::CrLf);
  popup.SpeedButton3Click();
  EXPECT_EQ(program.state.ParamFlags[0], '2');
}

// One-shot mode: a row click ends the program right away, a key leaves that to the
// loss of activation the paste causes.
class OneShotPasteTest : public PopupPasteTest {
 protected:
  OneShotPasteTest() { program.state.OneShotMode = 1; }
};

TEST_F(OneShotPasteTest, RowClickPastesThenSavesAndEnds) {
  LoadThenForgetFiles();
  program.popup.selectedRow = 3;
  popup.RxCheckListBox1Click();
  ExpectPasted("clip 3");
  EXPECT_TRUE(program.state.terminateRequested);
  EXPECT_EQ(files.files.count(paths.store), 1u);
}

TEST_F(OneShotPasteTest, RowClickWithoutHeaderStillEnds) {
  program.library.rows[3] = "no tag";
  program.popup.selectedRow = 3;
  popup.RxCheckListBox1Click();
  ExpectNothingPasted();
  EXPECT_TRUE(program.state.terminateRequested);
}

TEST_F(OneShotPasteTest, KeyPastesAndTheFollowingDeactivationEnds) {
  popup.FormKeyDown('C');
  ExpectPasted("clip 12");
  EXPECT_FALSE(program.state.terminateRequested);
  popup.AppDeactivate();
  EXPECT_TRUE(program.state.terminateRequested);
}

TEST_F(OneShotPasteTest, BusyClipboardOnRowClickDoesNotEnd) {
  desktop.clipboardBusy = true;
  program.popup.selectedRow = 3;
  EXPECT_THROW(popup.RxCheckListBox1Click(), AppError);
  EXPECT_FALSE(program.state.terminateRequested);
  EXPECT_EQ(program.popup.selectedRow, 3);
}

}  // namespace
}  // namespace qv::test
