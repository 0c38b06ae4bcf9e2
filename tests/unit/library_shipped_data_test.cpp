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
  for (auto& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

// Occurrences of a tag, letter case ignored.
int CountTag(std::string_view text, std::string_view tag) {
  int n = 0;
  for (std::size_t from = 0; const auto at = FindTag(text.substr(from), tag); ++n) from += *at + 1;
  return n;
}

class ShippedData : public ::testing::Test {
 protected:
  const std::string rowsBytes = ReadShipped(kRowsFileName);
  const std::string storeBytes = ReadShipped(kStoreFileName);
  const SlotList rows = SplitFileLines(rowsBytes);
  const ClipStore store = ParseStoreFile(storeBytes);
};

// Every break CR LF, a final one, no NUL: both files are written back unchanged.
TEST_F(ShippedData, FilesAreCrLfTextReadAndWrittenBackUnchanged) {
  for (const auto& bytes : {rowsBytes, storeBytes}) {
    EXPECT_EQ(SerializeRows(SplitFileLines(bytes)), bytes) << "a break that is not CR LF";
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
  }
  EXPECT_EQ(SerializeRows(rows), rowsBytes);
  EXPECT_EQ(store, storeBytes);
  EXPECT_LE(LineCount(store), kStoreLineLimit);
}

TEST_F(ShippedData, SeventyTwoRowsWithTheTagAtColumn72AndUniqueIdentities) {
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kSlotCount));
  std::set<std::string> identities;
  for (const auto& row : rows) {
    SCOPED_TRACE(row);
    ASSERT_EQ(row.size(), kTagColumn + kTagLength);
    const auto header = row.substr(kTagColumn);
    EXPECT_EQ(header.substr(0, kHeaderPrefix.size()), kHeaderPrefix);
    EXPECT_FALSE(ContainsTagText(row.substr(0, kTagColumn)));
    EXPECT_FALSE(ContainsTagText(header.substr(1)));
    EXPECT_EQ(ComposeSlotRow(ReadSlotTitle(row), header), row);
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
    EXPECT_EQ(CountTag(store, header), 1);
    EXPECT_EQ(CountTag(store, trailer), 1);
    const auto h = std::find(lines.begin(), lines.end(), header);
    const auto t = std::find(lines.begin(), lines.end(), trailer);
    ASSERT_NE(h, lines.end()) << "header not alone on its line";
    ASSERT_NE(t, lines.end()) << "trailer not alone on its line";
    EXPECT_LT(h, t);
    tagLines.insert({header, trailer});
  }
  for (const auto& line : lines)
    EXPECT_TRUE(tagLines.count(line) || !ContainsTagText(line)) << line;
}

TEST_F(ShippedData, EverySlotCanBeReadAndRewrittenWithoutChangeAndTheFirstHelpANewUser) {
  std::vector<std::string> contents;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    CurrentSlot current;
    contents.push_back(GatherFullClip(rows, row, store, current));
    ClipStore rewritten = store;
    ASSERT_TRUE(ReplaceClipBlock(rewritten, current, contents.back())) << row;
    EXPECT_EQ(rewritten, store) << row;
  }
  EXPECT_NE(ReadSlotTitle(rows[0]), "");
  EXPECT_NE(contents[0].find("Lock and Add Clip"), std::string::npos);
  EXPECT_NE(contents[1].find("F5"), std::string::npos);
}

}  // namespace
}  // namespace qv::test
