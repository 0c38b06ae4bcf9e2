#include "popup/popup_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "library/slot_library.h"

namespace qv {
namespace {

TEST(PopupSlotKeys, DigitsAndLettersInLabelOrder) {
  EXPECT_EQ(SlotKeyIndex('1'), 0);
  EXPECT_EQ(SlotKeyIndex('9'), 8);
  EXPECT_EQ(SlotKeyIndex('0'), 9);
  EXPECT_EQ(SlotKeyIndex('A'), 10);
  EXPECT_EQ(SlotKeyIndex('C'), 12);
  EXPECT_EQ(SlotKeyIndex('Z'), 35);
}

TEST(PopupSlotKeys, OtherKeysAreNoSlotKeys) {
  for (unsigned vk :
       {0x1Bu /* Escape */, 0x2Fu, 0x3Au, 0x40u, 0x5Bu, 0x61u /* keypad 1 */, 0x60u /* keypad 0 */,
        0x69u /* keypad 9 */, 0x74u /* F5 */, 0x28u, 0x10u /* Shift */, 0x11u /* Ctrl */, 0x16Du}) {
    EXPECT_FALSE(SlotKeyIndex(vk)) << vk;
  }
}

TEST(PopupSlotKeys, RowFollowsTheTopRow) {
  EXPECT_EQ(SlotRowForKey('C', 0, 72), 12);
  EXPECT_EQ(SlotRowForKey('C', 12, 72), 12);
  EXPECT_EQ(SlotRowForKey('C', 13, 72), 48);
  EXPECT_EQ(SlotRowForKey('1', 0, 72), 0);
  EXPECT_EQ(SlotRowForKey('1', 1, 72), 36);
  EXPECT_EQ(SlotRowForKey('Z', 36, 72), 71);
  EXPECT_EQ(SlotRowForKey('Z', 35, 72), 35);
  EXPECT_EQ(SlotRowForKey('0', 36, 72), 45);
}

TEST(PopupSlotKeys, EveryKeyChoosesTheVisibleRowWithItsLabel) {
  for (int top = 0; top <= kPageRows; ++top) {
    for (unsigned vk : {'1', '5', '9', '0', 'A', 'M', 'Z'}) {
      int row = *SlotRowForKey(vk, top, kSlotCount);
      EXPECT_GE(row, top) << "key " << vk << " top " << top;
      EXPECT_LE(row, top + kPageRows - 1) << "key " << vk << " top " << top;
      EXPECT_EQ(row % kPageRows, *SlotKeyIndex(vk));
    }
  }
}

TEST(PopupSlotKeys, RowsThatDoNotExistAreNotChosen) {
  EXPECT_FALSE(SlotRowForKey('C', 13, 48));  // would be row 48
  EXPECT_EQ(SlotRowForKey('B', 13, 48), 47);
  EXPECT_FALSE(SlotRowForKey('1', 0, 0));
  EXPECT_FALSE(SlotRowForKey('Z', 0, 35));
}

TEST(PopupSuffixButtons, AtMostOneDownAndTheDownOneRaises) {
  PopupControls c;
  ClickSuffixButton(c, SuffixButton::CrLf);
  EXPECT_TRUE(c.crlfDown);
  EXPECT_FALSE(c.crlfLfDown);
  ClickSuffixButton(c, SuffixButton::CrLfLf);
  EXPECT_FALSE(c.crlfDown);
  EXPECT_TRUE(c.crlfLfDown);
  ClickSuffixButton(c, SuffixButton::CrLfLf);
  EXPECT_FALSE(c.crlfDown);
  EXPECT_FALSE(c.crlfLfDown);
}

TEST(PopupPasteDelay, OfferedDelaysAreKept) {
  for (int ms : {0, 50, 100, 250, 500, 1000, 2000, 3000, 4000, 5000}) {
    EXPECT_EQ(BoundedPasteDelay(ms), ms);
  }
}

TEST(PopupPasteDelay, NegativeAndAbsurdDelaysAreBounded) {
  EXPECT_EQ(BoundedPasteDelay(-1), 0);
  EXPECT_EQ(BoundedPasteDelay(INT32_MIN), 0);
  EXPECT_EQ(BoundedPasteDelay(kMaxPasteDelayMs + 1), kMaxPasteDelayMs);
  EXPECT_EQ(BoundedPasteDelay(INT32_MAX), kMaxPasteDelayMs);
}

std::string NumberedLines(int count, bool trailingBreak = false) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += "\r\n";
    text += "line " + std::to_string(i);
  }
  if (trailingBreak) text += "\r\n";
  return text;
}

TEST(PopupPreviewText, ShortClipIsShownWhole) {
  EXPECT_EQ(BuildPreviewText(NumberedLines(3)), "line 1\r\nline 2\r\nline 3");
}

TEST(PopupPreviewText, TrailingBreakAddsNoEmptyLine) {
  EXPECT_EQ(BuildPreviewText(NumberedLines(3, true)), "line 1\r\nline 2\r\nline 3");
  EXPECT_EQ(BuildPreviewText("a\r\n\r\n"), "a\r\n");  // the inner empty line stays
}

TEST(PopupPreviewText, LongClipStopsAtTheFortyFifthLine) {
  std::string expected = NumberedLines(45) + "...";
  EXPECT_EQ(BuildPreviewText(NumberedLines(50)), expected);
  EXPECT_EQ(BuildPreviewText(NumberedLines(45)), expected);
  EXPECT_EQ(BuildPreviewText(NumberedLines(45, true)), expected);
  EXPECT_EQ(BuildPreviewText(NumberedLines(44)), NumberedLines(44));
}

TEST(PopupPreviewText, VerticalBarBecomesBrokenBar) {
  EXPECT_EQ(BuildPreviewText("a|b"),
            "a\xA6"
            "b");
  EXPECT_EQ(BuildPreviewText("||\r\n|"), "\xA6\xA6\r\n\xA6");
}

TEST(PopupPreviewText, EmptyClipGivesEmptyHint) {
  EXPECT_EQ(BuildPreviewText(""), "");
  EXPECT_EQ(BuildPreviewText("\r\n"), "");
}

TEST(PopupPreviewText, LoneBreaksEndLinesToo) {
  EXPECT_EQ(BuildPreviewText("a\nb\rc"), "a\r\nb\r\nc");
}

TEST(PopupLabelColumn, RectangleFollowsTheWindow) {
  WindowRect r = LabelColumnOnScreen({300, 40, 249, 496});
  EXPECT_EQ(r.left, 310);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.width, 15);
  EXPECT_EQ(r.height, 470);
}

}  // namespace
}  // namespace qv
