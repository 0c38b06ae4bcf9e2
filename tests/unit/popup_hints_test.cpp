#include <gtest/gtest.h>

#include <string>

#include "popup_test_support.h"

namespace qv::test {
namespace {

std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r\n" : "") + ("row " + std::to_string(i));
  return text;
}

class PopupHintsTest : public PopupTest {
 protected:
  PopupHintsTest() { popupWindow.rect = {300, 40, 249, 496}; }

  void ClickLabel(int label) {
    program.popup.labelSelected = label;
    popup.ListBox7Click();
  }

  void TickWithPointerAt(int x, int y) {
    desktop.pointer = {x, y};
    popup.Timer1Timer();
  }
};

TEST_F(PopupHintsTest, LabelClickPreviewsItsRow) {
  SetContent(5, NumberedLines(3));
  ClickLabel(5);
  EXPECT_EQ(program.popup.labelHint, "row 1\r\nrow 2\r\nrow 3");
  EXPECT_TRUE(program.popup.labelHintsEnabled);
  EXPECT_EQ(program.popup.timer1Interval, 100);
  EXPECT_EQ(program.popup.labelSelected, -1);
  EXPECT_EQ(program.popup.selectedRow, -1);
  EXPECT_TRUE(desktop.log.empty());  // no paste
}

TEST_F(PopupHintsTest, BarIsShownBrokenAndStaysInTheStore) {
  SetContent(9, "a|b");
  const std::string store = program.library.store;
  ClickLabel(9);
  EXPECT_EQ(program.popup.labelHint,
            "a\xA6"
            "b");
  EXPECT_EQ(program.library.store, store);
}

TEST_F(PopupHintsTest, EmptyClipGivesEmptyHintButTrackingRuns) {
  SetContent(0, "");
  program.popup.labelHint = "old";
  ClickLabel(0);
  EXPECT_EQ(program.popup.labelHint, "");
  EXPECT_TRUE(program.popup.labelHintsEnabled);
  EXPECT_EQ(program.popup.timer1Interval, 100);
}

TEST_F(PopupHintsTest, LabelWithoutRowClearsAndStartsNothing) {
  SetSlotCount(30);
  program.popup.labelHint = "old";
  program.popup.selectedRow = 4;
  ClickLabel(40);
  EXPECT_EQ(program.popup.labelHint, "");
  EXPECT_FALSE(program.popup.labelHintsEnabled);
  EXPECT_EQ(program.popup.timer1Interval, 0);
  EXPECT_EQ(program.popup.labelSelected, -1);
  EXPECT_EQ(program.popup.selectedRow, -1);
}

TEST_F(PopupHintsTest, ScrolledListPreviewsTheRowBesideTheLabel) {
  program.popup.topRow = 20;
  popup.Timer3Timer();
  ClickLabel(program.popup.labelTopRow + 3);  // the fourth visible label
  EXPECT_EQ(program.popup.labelHint, "clip 23");
}

TEST_F(PopupHintsTest, PreviewLeavesTheCurrentSlotAlone) {
  program.popup.selectedRow = 7;  // the editor's loaded row, or the last paste
  GatherFullClip(program.library.rows, 7, program.library.store, program.library.current);
  program.popup.selectedRow = -1;

  for (int editMode : {2, 0}) {
    program.state.EditMode = editMode;
    ClickLabel(30);
    EXPECT_EQ(program.popup.labelHint, "clip 30");
    EXPECT_EQ(program.library.current.rowIndex, 7) << editMode;
    EXPECT_EQ(program.library.current.header, HeaderFor(7)) << editMode;
    EXPECT_EQ(program.library.current.trailer, TrailerFor(7)) << editMode;
  }
}

TEST_F(PopupHintsTest, PasteAfterPreviewStillSetsTheCurrentSlot) {
  ShowByHotKey();
  ClickLabel(30);
  popup.FormKeyDown('C');
  EXPECT_EQ(program.library.current.rowIndex, 12);
}

TEST_F(PopupHintsTest, TrackingKeepsTheHintWhileThePointerIsInside) {
  ClickLabel(3);
  TickWithPointerAt(311, 61);   // just inside the top left corner
  TickWithPointerAt(324, 529);  // just inside the bottom right corner
  EXPECT_TRUE(program.popup.labelHintsEnabled);
  EXPECT_EQ(program.popup.timer1Interval, 100);
}

TEST_F(PopupHintsTest, PointerOnAnyEdgeCountsAsOutside) {
  for (Point p : {Point{310, 200}, Point{325, 200}, Point{315, 60}, Point{315, 530}}) {
    ClickLabel(3);
    TickWithPointerAt(p.x, p.y);
    EXPECT_FALSE(program.popup.labelHintsEnabled) << p.x << "," << p.y;
    EXPECT_EQ(program.popup.timer1Interval, 0);
  }
}

TEST_F(PopupHintsTest, LeavingTheColumnSwitchesHintsOffUntilTheNextClick) {
  ClickLabel(3);
  TickWithPointerAt(100, 100);
  TickWithPointerAt(315, 200);  // back over the column: nothing comes back
  EXPECT_FALSE(program.popup.labelHintsEnabled);
  ClickLabel(4);
  EXPECT_TRUE(program.popup.labelHintsEnabled);
  EXPECT_EQ(program.popup.labelHint, "clip 4");
}

TEST_F(PopupHintsTest, TrackingFollowsAMovedWindow) {
  ClickLabel(3);
  popupWindow.rect.left = 0;
  popupWindow.rect.top = 0;
  TickWithPointerAt(315, 200);  // where the column was
  EXPECT_FALSE(program.popup.labelHintsEnabled);
}

TEST_F(PopupHintsTest, FailedPointerReadEndsTheTickOnly) {
  ClickLabel(3);
  desktop.pointerFails = true;
  EXPECT_THROW(popup.Timer1Timer(), AppError);
  EXPECT_TRUE(program.popup.labelHintsEnabled);
  desktop.pointerFails = false;
  TickWithPointerAt(0, 0);
  EXPECT_FALSE(program.popup.labelHintsEnabled);
}

TEST_F(PopupHintsTest, LabelsFollowTheListsScrolling) {
  program.popup.topRow = 36;
  popup.Timer3Timer();
  EXPECT_EQ(program.popup.labelTopRow, 36);
  program.popup.topRow = 11;
  popup.Timer3Timer();
  EXPECT_EQ(program.popup.labelTopRow, 11);
}

TEST_F(PopupHintsTest, LabelTimerRunsFromHotKeyUntilDeactivation) {
  popup.HotKey1HotKey();
  EXPECT_EQ(program.popup.timer3Interval, 100);
  popup.HotKey1HotKey();  // hiding by hot key keeps it
  EXPECT_EQ(program.popup.timer3Interval, 100);
  popup.HotKey1HotKey();
  popup.FormKeyDown('1');  // a paste keeps it too
  EXPECT_EQ(program.popup.timer3Interval, 100);
  popup.AppDeactivate();
  EXPECT_EQ(program.popup.timer3Interval, 0);
}

}  // namespace
}  // namespace qv::test
