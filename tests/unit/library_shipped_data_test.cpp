// The data files that ship with the program keep every invariant of rows and store.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "library/data_files.h"
#include "library/slot_library.h"

#ifndef QV_DATA_DIR
#define QV_DATA_DIR "data"
#endif

namespace qv::test {
namespace {

std::string ReadShipped(const std::string& name) {
  std::ifstream in(std::string(QV_DATA_DIR) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
  return text;
}

int CountIgnoringCase(const std::string& text, const std::string& what) {
  const auto folded = Folded(text), needle = Folded(what);
  int n = 0;
  for (auto at = folded.find(needle); at != std::string::npos; at = folded.find(needle, at + 1))
    ++n;
  return n;
}

// Every break is CR LF and the text ends with one.
void ExpectCrLfText(const std::string& bytes) {
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  std::string withoutCrLf;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes.compare(i, 2, "\r\n") == 0)
      ++i;
    else
      withoutCrLf += bytes[i];
  }
  EXPECT_EQ(withoutCrLf.find_first_of("\r\n"), std::string::npos) << "lone CR or LF";
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
}

class ShippedData : public ::testing::Test {
 protected:
  const std::string rowsBytes = ReadShipped(kRowsFileName);
  const std::string storeBytes = ReadShipped(kStoreFileName);
  const SlotList rows = ParseRowsFile(rowsBytes);
  const ClipStore store = ParseStoreFile(storeBytes);
};

TEST_F(ShippedData, FilesAreCrLfTextReadAndWrittenBackUnchanged) {
  ExpectCrLfText(rowsBytes);
  ExpectCrLfText(storeBytes);
  EXPECT_EQ(SerializeRows(rows), rowsBytes);
  EXPECT_EQ(SerializeStore(store), storeBytes);
  EXPECT_LE(LineCount(store), kStoreLineLimit);
}

TEST_F(ShippedData, SeventyTwoRowsWithTheTagAtColumn72AndUniqueIdentities) {
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kSlotCount));
  std::set<std::string> identities;
  for (const auto& row : rows) {
    SCOPED_TRACE(row);
    ASSERT_EQ(row.size(), kTagColumn + kTagLength);
    EXPECT_EQ(row.find(kHeaderPrefix), kTagColumn);
    EXPECT_EQ(CountIgnoringCase(row, std::string(kHeaderPrefix)), 1);
    EXPECT_FALSE(ContainsTagText(row.substr(0, kTagColumn)));
    const auto header = row.substr(kTagColumn);
    EXPECT_EQ(header.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(ComposeSlotRow(ReadSlotTitle(row), header), row);
    EXPECT_LE(ReadSlotTitle(row).size(), kTitleFieldLength);
    identities.insert(Folded(header.substr(kHeaderPrefix.size())));
  }
  EXPECT_EQ(identities.size(), rows.size());
}

TEST_F(ShippedData, EverySlotHasOneOrderedBlockAndNoContentHoldsTagText) {
  const auto lines = SplitFileLines(store);
  std::set<std::string> tagLines;
  for (const auto& row : rows) {
    const auto header = row.substr(kTagColumn), trailer = TrailerTagFor(header);
    SCOPED_TRACE(header);
    EXPECT_EQ(CountIgnoringCase(store, header), 1);
    EXPECT_EQ(CountIgnoringCase(store, trailer), 1);
    const auto h = std::find(lines.begin(), lines.end(), header);
    const auto t = std::find(lines.begin(), lines.end(), trailer);
    ASSERT_NE(h, lines.end()) << "header not alone on its line";
    ASSERT_NE(t, lines.end()) << "trailer not alone on its line";
    EXPECT_LT(h, t);
    tagLines.insert(header);
    tagLines.insert(trailer);
  }
  for (const auto& line : lines) {
    EXPECT_TRUE(tagLines.count(line) || !ContainsTagText(line)) << line;
  }
}

TEST_F(ShippedData, EverySlotCanBeReadAndRewrittenWithoutChange) {
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    CurrentSlot current;
    const auto content = GatherFullClip(rows, row, store, current);
    ClipStore rewritten = store;
    ASSERT_TRUE(ReplaceClipBlock(rewritten, current, content)) << row;
    EXPECT_EQ(rewritten, store) << row;
  }
}

TEST_F(ShippedData, FirstSlotsHelpANewUser) {
  ASSERT_GE(rows.size(), 2u);
  CurrentSlot current;
  EXPECT_NE(ReadSlotTitle(rows[0]), "");
  EXPECT_NE(GatherFullClip(rows, 0, store, current).find("Lock and Add Clip"), std::string::npos);
  EXPECT_NE(GatherFullClip(rows, 1, store, current).find("F5"), std::string::npos);
}

}  // namespace
}  // namespace qv::test
