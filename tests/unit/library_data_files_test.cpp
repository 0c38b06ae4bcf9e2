// Byte formats of the slot rows file and the clip store file.
#include <gtest/gtest.h>

#include "library/data_files.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

// A literal's bytes, NULs included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

TEST(SplitFileLines, EveryKindOfBreakEndsALine) {
  EXPECT_EQ(SplitFileLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitFileLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF CR is two breaks
  EXPECT_EQ(SplitFileLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(SplitFileLines, FinalBreakStartsNoLine) {
  EXPECT_EQ(SplitFileLines("a\r\n"), (Lines{"a"}));
  EXPECT_EQ(SplitFileLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitFileLines("\r\n"), (Lines{""}));
  EXPECT_EQ(SplitFileLines(""), Lines{});
}

TEST(RowsFile, LfOnlyCrOnlyAndMissingFinalBreakGiveTheSameRows) {
  const Lines rows = {"one", "two  ", "", " three"};
  EXPECT_EQ(ParseRowsFile("one\r\ntwo  \r\n\r\n three\r\n"), rows);
  EXPECT_EQ(ParseRowsFile("one\ntwo  \n\n three\n"), rows);
  EXPECT_EQ(ParseRowsFile("one\rtwo  \r\r three\r"), rows);
  EXPECT_EQ(ParseRowsFile("one\r\ntwo  \r\n\r\n three"), rows);
}

TEST(RowsFile, NulEndsTheText) {
  EXPECT_EQ(ParseRowsFile(Bytes("a\r\nb\0c\r\nd\r\n")), (Lines{"a", "b"}));
  EXPECT_EQ(ParseRowsFile(Bytes("\0a\r\n")), Lines{});
}

TEST(RowsFile, EmptyFileGivesNoRowsAndEmptyListWritesEmptyFile) {
  EXPECT_TRUE(ParseRowsFile("").empty());
  EXPECT_EQ(SerializeRows({}), "");
}

TEST(RowsFile, EveryRowIsWrittenWithCrLfIncludingTheLast) {
  EXPECT_EQ(SerializeRows({"a", "", "b "}), "a\r\n\r\nb \r\n");
}

TEST(RowsFile, LoadThenSaveIsByteExactApartFromBreaks) {
  const std::string crlf = "r1 \xE9\r\n\r\n   \r\nlast\r\n";
  EXPECT_EQ(SerializeRows(ParseRowsFile(crlf)), crlf);
  EXPECT_EQ(SerializeRows(ParseRowsFile("r1 \xE9\n\n   \nlast\n")), crlf);
  EXPECT_EQ(SerializeRows(ParseRowsFile("r1 \xE9\n\n   \nlast")), crlf);
}

TEST(StoreFile, EveryBreakBecomesCrLfAndAFinalBreakStays) {
  EXPECT_EQ(ParseStoreFile("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ParseStoreFile("a\n"), "a\r\n");
  EXPECT_EQ(ParseStoreFile("a\r"), "a\r\n");
  EXPECT_EQ(ParseStoreFile("a\n\n"), "a\r\n\r\n");
  EXPECT_EQ(ParseStoreFile("\n\r"), "\r\n\r\n");
  EXPECT_EQ(ParseStoreFile(""), "");
}

TEST(StoreFile, WrittenBackExactlyWithOrWithoutFinalCrLf) {
  for (std::string file : {"h\r\nx\r\nt\r\n", "h\r\nx\r\nt", "", "\r\n"}) {
    SCOPED_TRACE(file);
    EXPECT_EQ(SerializeStore(ParseStoreFile(file)), file);
  }
}

TEST(StoreFile, NulAndHighBytesAreKeptSoNothingIsLostOnSave) {
  const std::string file = Bytes("a\0b\r\n\xFF\x80\r\nafter");
  EXPECT_EQ(SerializeStore(ParseStoreFile(file)), file);
}

TEST(DesignRows, SeventyTwoSingleBlanksWithTwoBlanksAtRows38And57) {
  const auto rows = DesignSlotRows();
  ASSERT_EQ(rows.size(), 72u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i], (i == 38 || i == 57) ? "  " : " ");
  }
}

}  // namespace
}  // namespace qv::test
