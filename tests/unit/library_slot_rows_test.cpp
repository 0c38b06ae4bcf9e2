// Slot rows: composing a row from a title and a tag, and reading the title back.
#include <gtest/gtest.h>

#include "library/slot_library.h"
#include "library_test_support.h"

namespace qv::test {
namespace {

TEST(SlotRow, TitleOf27CharactersIsFollowedBy44BlanksAndTheTag) {
  const std::string title = "abcdefghijklmnopqrstuvwxyz!";
  ASSERT_EQ(title.size(), 27u);
  const auto row = ComposeSlotRow(title, Header(3));
  EXPECT_EQ(row, title + std::string(44, ' ') + Header(3));
  EXPECT_EQ(row.size(), 92u);
  EXPECT_EQ(row.find(kHeaderPrefix), 71u);
  EXPECT_EQ(ReadSlotTitle(row), title);
}

TEST(SlotRow, EmptyTitleGives71BlanksAndReadsBackEmpty) {
  const auto row = ComposeSlotRow("", Header(0));
  EXPECT_EQ(row, std::string(71, ' ') + Header(0));
  EXPECT_EQ(ReadSlotTitle(row), "");
}

TEST(SlotRow, TitleIsStoredAsTypedAndReadWithoutTrailingBlanks) {
  const auto row = ComposeSlotRow("  Hello  ", Header(1));
  EXPECT_EQ(row.substr(0, 9), "  Hello  ");
  EXPECT_EQ(row.find(kHeaderPrefix), 71u);
  EXPECT_EQ(ReadSlotTitle(row), "  Hello");
}

TEST(SlotRow, TitleLongerThan71CharactersGetsNoBlanks) {
  const std::string title(75, 'x');
  EXPECT_EQ(ComposeSlotRow(title, Header(2)), title + Header(2));
  EXPECT_EQ(ComposeSlotRow(std::string(71, 'y'), Header(2)), std::string(71, 'y') + Header(2));
}

TEST(SlotRow, ReadTitleTakesAtMost27CharactersAndDropsTrailingControlCharacters) {
  EXPECT_EQ(ReadSlotTitle(std::string(30, 'x')), std::string(27, 'x'));
  EXPECT_EQ(ReadSlotTitle("ab"), "ab");
  EXPECT_EQ(ReadSlotTitle(""), "");
  EXPECT_EQ(ReadSlotTitle("tab\t\x01 "), "tab");
  // Characters above 127 are letters of the code page, not blanks.
  EXPECT_EQ(ReadSlotTitle("caf\xE9"), "caf\xE9");
  EXPECT_EQ(ReadSlotTitle("x\xA0"), "x\xA0");
}

TEST(SlotRow, HeaderIsRecognisedInExactCaseOnly) {
  EXPECT_TRUE(RowHasHeader(ComposeSlotRow("t", Header(0))));
  EXPECT_TRUE(RowHasHeader("/:hdr:\\"));
  EXPECT_FALSE(RowHasHeader("/:HDR:\\ABCDEFGHIJKLMN"));
  EXPECT_FALSE(RowHasHeader(" "));
  EXPECT_FALSE(RowHasHeader("/:hdr:"));
}

TEST(SlotTag, TrailerReplacesTheFirstSevenCharacters) {
  EXPECT_EQ(TrailerTagFor("/:hdr:\\ABCDEFGHIJKLMN"), "/:tlr:\\ABCDEFGHIJKLMN");
  EXPECT_EQ(TrailerTagFor("1234567rest"), "/:tlr:\\rest");
  EXPECT_EQ(TrailerTagFor("short"), "/:tlr:\\");
  EXPECT_EQ(TrailerTagFor(""), "/:tlr:\\");
}

TEST(SlotTag, TagTextIsDetectedInAnyLetterCase) {
  EXPECT_TRUE(ContainsTagText("x/:hdr:\\y"));
  EXPECT_TRUE(ContainsTagText("/:TLR:\\"));
  EXPECT_TRUE(ContainsTagText("line\r\n/:Hdr:\\ABC"));
  EXPECT_FALSE(ContainsTagText("/:hdr:"));
  EXPECT_FALSE(ContainsTagText("/:hdr :\\"));
  EXPECT_FALSE(ContainsTagText(""));
}

}  // namespace
}  // namespace qv::test
