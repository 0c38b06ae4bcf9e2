// The key label column: following the list's scrolling, and previewing a row's clip in its hint.
#include <gtest/gtest.h>

#include <string>

#include "popup_test_support.h"

namespace qv::test {
namespace {

class PopupHintsTest : public PopupTest {
 protected:
  // The label column lies at x 310..325 and y 60..530.
  PopupHintsTest() { popupWindow.rect = {300, 40, 249, 496}; }

  void ClickLabel(int label) {
    labelColumn.Select(label);
    popup.ListBox7Click();
  }
  void TickWithPointerAt(int x, int y) {
    desktop.pointer = {x, y};
    popup.Timer1Timer();
  }
  void ExpectTracking(bool on) {
    EXPECT_EQ(labelHint.HintsEnabled(), on);
    EXPECT_EQ(timer1.Interval(), on ? 100 : 0);
  }
};

TEST_F(PopupHintsTest, LabelClickPreviewsItsRowWithoutPastingOrChangingTheStore) {
  SetContent(5, "row 1\r\nrow|2\r\nrow 3");
  const std::string store = program.library.store;
  ClickLabel(5);
  EXPECT_EQ(labelHint.Hint(),
            "row 1\r\nrow\u00A6"
            "2\r\nrow 3");
  ExpectTracking(true);
  EXPECT_EQ(labelColumn.Selection(), -1);
  EXPECT_EQ(slotList.Selection(), -1);
  EXPECT_EQ(program.library.store, store);
  EXPECT_TRUE(desktop.log.empty());

  SetContent(0, "");  // an empty clip still starts tracking
  ClickLabel(0);
  EXPECT_EQ(labelHint.Hint(), "");
  ExpectTracking(true);
}

TEST_F(PopupHintsTest, LabelWithoutRowClearsAndStartsNothing) {
  SetSlotCount(30);
  labelHint.SetHint("old");
  slotList.Select(4);
  ClickLabel(40);
  EXPECT_EQ(labelHint.Hint(), "");
  ExpectTracking(false);
  EXPECT_EQ(labelColumn.Selection(), -1);
  EXPECT_EQ(slotList.Selection(), -1);
}

TEST_F(PopupHintsTest, LabelsFollowTheListsScrollingAndPreviewTheRowBesideThem) {
  for (int top : {36, 11, 20}) {
    slotList.SetTopRow(top);
    popup.Timer3Timer();
    EXPECT_EQ(labelColumn.TopRow(), top);
  }
  ClickLabel(labelColumn.TopRow() + 3);  // the fourth visible label
  EXPECT_EQ(labelHint.Hint(), "clip 23");
}

// A preview must not change the slot the editor writes to; a paste still does.
TEST_F(PopupHintsTest, PreviewLeavesTheCurrentSlotAlone) {
  GatherFullClip(program.library.rows, 7, program.library.store, program.library.current);
  for (int editMode : {2, 0}) {
    program.state.EditMode = editMode;
    ClickLabel(30);
    EXPECT_EQ(labelHint.Hint(), "clip 30");
    EXPECT_EQ(Fields(program.library.current), Fields(SlotOf(7))) << editMode;
  }
  ShowByHotKey();
  popup.FormKeyDown('C');
  EXPECT_EQ(program.library.current.rowIndex, 12);
}

// Inside the column with every edge excluded, the hint stays; anywhere else tracking stops.
TEST_F(PopupHintsTest, TrackingKeepsTheHintOnlyStrictlyInsideTheColumn) {
  const std::pair<Point, bool> cases[] = {
      {{311, 61}, true},   {{324, 529}, true}, {{310, 200}, false},
      {{325, 200}, false}, {{315, 60}, false}, {{315, 530}, false},
  };
  for (const auto& [p, inside] : cases) {
    ClickLabel(3);
    TickWithPointerAt(p.x, p.y);
    SCOPED_TRACE(::testing::Message() << p.x << "," << p.y);
    ExpectTracking(inside);
  }
}

TEST_F(PopupHintsTest, LeavingTheColumnSwitchesHintsOffUntilTheNextClick) {
  ClickLabel(3);
  TickWithPointerAt(100, 100);
  TickWithPointerAt(315, 200);  // back over the column: nothing comes back
  ExpectTracking(false);
  ClickLabel(4);
  ExpectTracking(true);
  EXPECT_EQ(labelHint.Hint(), "clip 4");
  popupWindow.rect.left = popupWindow.rect.top = 0;
  TickWithPointerAt(315, 200);  // where the column was before the window moved
  ExpectTracking(false);
}

// The hint window opens at a move over the column; after its 30 s it stays closed, however
// the pointer moves inside the column, until the next label click.
TEST_F(PopupHintsTest, HintThatTimedOutStaysHiddenUntilTheNextLabelClick) {
  ClickLabel(3);
  labelHint.PointerMoved();
  EXPECT_TRUE(hintDisplay.visible);
  EXPECT_EQ(hintDisplay.shown, "clip 3");
  labelHint.Cancelled();  // the pointer left; it opens again on the way back
  labelHint.PointerMoved();
  EXPECT_TRUE(hintDisplay.visible);
  labelHint.TimeUp();
  TickWithPointerAt(315, 200);
  labelHint.PointerMoved();
  EXPECT_FALSE(hintDisplay.visible);
  ClickLabel(4);
  labelHint.PointerMoved();
  EXPECT_EQ(hintDisplay.shown, "clip 4");
  EXPECT_TRUE(hintDisplay.visible);
}

TEST_F(PopupHintsTest, FailedPointerReadEndsTheTickOnly) {
  ClickLabel(3);
  desktop.pointerFails = true;
  popup.Timer1Timer();
  ExpectTracking(true);
  desktop.pointerFails = false;
  TickWithPointerAt(0, 0);
  ExpectTracking(false);
}

}  // namespace
}  // namespace qv::test
