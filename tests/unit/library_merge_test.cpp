// Two copies of the library edited apart, merged slot by slot against the version both
// started from.
#include "library/library_merge.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace qv::test {
namespace {

// Three slots as (title, content); a block left out is one still on its way.
using Slots = std::vector<std::pair<std::string, std::string>>;
constexpr const char* kNotArrived = "\x01";

LibraryVersion VersionOf(const Slots& slots) {
  LibraryVersion version;
  for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
    version.rows.push_back(ComposeSlotRow(slots[i].first, Header(i)));
    if (slots[i].second != kNotArrived) version.store += BlockOf(i, slots[i].second);
  }
  return version;
}

const Slots kBase = {{"A", "a"}, {"B", "b"}, {"C", "c"}};

TEST(MergeLibraries, SlotBySlot) {
  struct Case {
    const char* what;
    Slots mine, theirs, merged;
    std::vector<int> conflicts;
  };
  const Case cases[] = {
      {"the other side's edit",
       kBase,
       {{"A", "a"}, {"B", "b2"}, {"C", "c"}},
       {{"A", "a"}, {"B", "b2"}, {"C", "c"}},
       {}},
      {"this side's edit",
       {{"A2", "a"}, {"B", "b"}, {"C", "c"}},
       kBase,
       {{"A2", "a"}, {"B", "b"}, {"C", "c"}},
       {}},
      {"edits to different slots",
       {{"A", "a2"}, {"B", "b"}, {"C", "c"}},
       {{"A", "a"}, {"B", "b"}, {"C3", "c3"}},
       {{"A", "a2"}, {"B", "b"}, {"C3", "c3"}},
       {}},
      {"one slot, both sides",
       {{"A", "a"}, {"B", "mine"}, {"C", "c2"}},
       {{"A", "a"}, {"B", "theirs"}, {"C", "c"}},
       {{"A", "a"}, {"B", "mine"}, {"C", "c2"}},
       {1}},
      {"title here, text there",
       {{"A", "a"}, {"B2", "b"}, {"C", "c2"}},
       {{"A", "a"}, {"B", "b3"}, {"C", "c"}},
       {{"A", "a"}, {"B2", "b"}, {"C", "c2"}},
       {1}},
      {"the same edit on both",
       {{"A", "x"}, {"B", "b2"}, {"C", "c"}},
       {{"A", "x"}, {"B", "b"}, {"C", "c"}},
       {{"A", "x"}, {"B", "b2"}, {"C", "c"}},
       {}},
      {"a row whose block is on its way",
       {{"A", "a2"}, {"B", "b"}, {"C", "c"}},
       {{"A", "a"}, {"B3", kNotArrived}, {"C", "c"}},
       {{"A", "a2"}, {"B3", "b"}, {"C", "c"}},
       {}},
  };
  for (const Case& c : cases) {
    const LibraryMerge merge =
        MergeLibraries(VersionOf(kBase), VersionOf(c.mine), VersionOf(c.theirs));
    EXPECT_EQ(merge.merged, VersionOf(c.merged)) << c.what;
    EXPECT_EQ(merge.conflicts, c.conflicts) << c.what;
    EXPECT_FALSE(merge.conflictOutsideSlots) << c.what;
  }
}

// Blocks in another order, or a row more, are not slot edits: the other side's reorder
// changes nothing here; a different number of rows keeps this machine's files whole.
TEST(MergeLibraries, WholeFileChanges) {
  const LibraryVersion base = VersionOf(kBase),
                       mine = VersionOf({{"A", "a2"}, {"B", "b"}, {"C", "c"}});
  LibraryVersion reordered = base;
  reordered.store = BlockOf(2, "c") + BlockOf(0, "a") + BlockOf(1, "b");
  EXPECT_TRUE(MergeLibraries(base, mine, reordered).Clean());
  EXPECT_EQ(MergeLibraries(base, mine, reordered).merged, mine);
  LibraryVersion longer = base;
  longer.rows.push_back("a new row");
  const LibraryMerge merge = MergeLibraries(base, mine, longer);
  EXPECT_EQ(merge.merged, mine);
  EXPECT_TRUE(merge.conflictOutsideSlots);
}

}  // namespace
}  // namespace qv::test
