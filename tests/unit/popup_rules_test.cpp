// Rules of the pop-up list that need no window: slot keys, suffix buttons, paste wait, preview.
#include "popup/popup_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_controls.h"
#include "library/paste_delay.h"
#include "library/slot_library.h"

namespace qv {
namespace {

TEST(PopupSlotKeys, DigitsThenLettersInLabelOrderAndNoOtherKey) {
  const std::pair<unsigned, int> keys[] = {{'1', 0},  {'9', 8},  {'0', 9},
                                           {'A', 10}, {'C', 12}, {'Z', 35}};
  for (const auto& [vk, index] : keys) EXPECT_EQ(SlotKeyIndex(vk), index) << vk;
  // Escape, the neighbours of the digits and letters, keypad 0/1/9, F5, Down, Shift, Ctrl.
  for (unsigned vk :
       {0x1Bu, 0x2Fu, 0x3Au, 0x40u, 0x5Bu, 0x60u, 0x61u, 0x69u, 0x74u, 0x28u, 0x10u, 0x11u, 0x16Du})
    EXPECT_FALSE(SlotKeyIndex(vk)) << vk;
}

TEST(PopupSlotKeys, RowFollowsTheTopRowAndMustExist) {
  const std::tuple<unsigned, int, int, std::optional<int>> cases[] = {
      {'C', 0, 72, 12},  {'C', 12, 72, 12}, {'C', 13, 72, 48}, {'1', 0, 72, 0},
      {'1', 1, 72, 36},  {'Z', 36, 72, 71}, {'Z', 35, 72, 35}, {'0', 36, 72, 45},
      {'C', 13, 48, {}}, {'B', 13, 48, 47}, {'1', 0, 0, {}},   {'Z', 0, 35, {}},
  };
  for (const auto& [key, top, rows, row] : cases)
    EXPECT_EQ(SlotRowForKey(key, top, rows), row)
        << "key " << key << " top " << top << " rows " << rows;
}

TEST(PopupSlotKeys, EveryKeyChoosesTheVisibleRowWithItsLabel) {
  for (int top = 0; top <= kPageRows; ++top) {
    for (unsigned vk : {'1', '5', '9', '0', 'A', 'M', 'Z'}) {
      const int row = *SlotRowForKey(vk, top, kSlotCount);
      EXPECT_GE(row, top) << "key " << vk << " top " << top;
      EXPECT_LE(row, top + kPageRows - 1) << "key " << vk << " top " << top;
      EXPECT_EQ(row % kPageRows, *SlotKeyIndex(vk));
    }
  }
}

TEST(PopupSuffixButtons, AtMostOneDownAndTheDownOneRaises) {
  test::FakeButton crlf, crlfLf;
  ClickSuffixButton(crlf, crlfLf, SuffixButton::CrLf);
  EXPECT_TRUE(crlf.down && !crlfLf.down);
  ClickSuffixButton(crlf, crlfLf, SuffixButton::CrLfLf);
  EXPECT_TRUE(!crlf.down && crlfLf.down);
  ClickSuffixButton(crlf, crlfLf, SuffixButton::CrLfLf);
  EXPECT_TRUE(!crlf.down && !crlfLf.down);
}

// The wait never exceeds the largest delay the settings offer.
TEST(PopupPasteDelay, OfferedDelaysAreKeptNegativeAndLargerOnesBounded) {
  for (int ms : {0, 50, 100, 250, 500, 1000, 2000, 3000, 4000, 5000})
    EXPECT_EQ(BoundedPasteDelay(ms), ms);
  for (int ms : {-1, INT32_MIN}) EXPECT_EQ(BoundedPasteDelay(ms), 0);
  for (int ms : {5001, 10000, INT32_MAX}) EXPECT_EQ(BoundedPasteDelay(ms), 5000);
}

std::string NumberedLines(int count, const char* end = "") {
  std::string text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? "\r\n" : "") + ("line " + std::to_string(i));
  return text + end;
}

TEST(PopupPreviewText, AtMost45LinesWithBrokenBarsAndNoEmptyLastLine) {
  const std::string first45 = NumberedLines(45) + "...";
  const std::pair<std::string, std::string> cases[] = {
      {NumberedLines(3), NumberedLines(3)},
      {NumberedLines(3, "\r\n"), NumberedLines(3)},
      {"a\r\n\r\n", "a\r\n"},  // the inner empty line stays
      {"a\nb\rc", "a\r\nb\r\nc"},
      {NumberedLines(44), NumberedLines(44)},
      {NumberedLines(45), first45},
      {NumberedLines(45, "\r\n"), first45},
      {NumberedLines(50), first45},
      {"a|b", "a\u00A6b"},
      {"||\r\n|", "\u00A6\u00A6\r\n\u00A6"},
      {"", ""},
      {"\r\n", ""},
  };
  for (const auto& [content, preview] : cases)
    EXPECT_EQ(BuildPreviewText(content), preview) << content;
}

}  // namespace
}  // namespace qv
