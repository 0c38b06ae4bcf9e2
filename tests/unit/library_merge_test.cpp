// Two copies of the library edited apart, merged slot by slot against the version both
// started from.
#include "library/library_merge.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace qv::test {
namespace {

// "title:text" per slot, blank-separated; a text "-" is a block still on its way.
LibraryVersion VersionOf(const std::string& slots) {
  LibraryVersion version;
  std::istringstream in(slots);
  std::string slot;
  for (int i = 0; in >> slot; ++i) {
    const auto colon = slot.find(':');
    version.rows.push_back(ComposeSlotRow(slot.substr(0, colon), Header(i)));
    if (slot.substr(colon + 1) != "-") version.store += BlockOf(i, slot.substr(colon + 1));
  }
  return version;
}

TEST(MergeLibraries, SlotBySlot) {
  const LibraryVersion base = VersionOf("A:a B:b C:c");
  struct Case {
    const char *mine, *theirs, *merged;
    std::vector<int> conflicts;
  };
  const Case cases[] = {
      {"A:a B:b C:c", "A:a B:b2 C:c", "A:a B:b2 C:c", {}},              // the other side's edit
      {"A2:a B:b C:c", "A:a B:b C:c", "A2:a B:b C:c", {}},              // this side's edit
      {"A:a2 B:b C:c", "A:a B:b C3:c3", "A:a2 B:b C3:c3", {}},          // different slots
      {"A:x B:b C:c2", "A:x B:b C:c", "A:x B:b C:c2", {}},              // the same edit on both
      {"A:a B:mine C:c2", "A:a B:theirs C:c", "A:a B:mine C:c2", {1}},  // one slot, both
      {"A:a B2:b C:c2", "A:a B:b3 C:c", "A:a B2:b C:c2", {1}},          // title here, text there
      {"A:a2 B:b C:c", "A:a B3:- C:c", "A:a2 B3:b C:c", {}},            // a block on its way
  };
  for (const Case& c : cases) {
    const LibraryMerge merge = MergeLibraries(base, VersionOf(c.mine), VersionOf(c.theirs));
    EXPECT_EQ(merge.merged, VersionOf(c.merged)) << c.mine << " | " << c.theirs;
    EXPECT_EQ(merge.conflicts, c.conflicts) << c.mine << " | " << c.theirs;
    EXPECT_FALSE(merge.conflictOutsideSlots) << c.mine << " | " << c.theirs;
  }
  // Blocks in another order are no slot edit; a row more keeps this machine's files whole.
  const LibraryVersion mine = VersionOf("A:a2 B:b C:c");
  LibraryVersion other = base;
  other.store = BlockOf(2, "c") + BlockOf(0, "a") + BlockOf(1, "b");
  EXPECT_EQ(MergeLibraries(base, mine, other).merged, mine);
  other.rows.push_back("a new row");
  EXPECT_TRUE(MergeLibraries(base, mine, other).conflictOutsideSlots);
}

}  // namespace
}  // namespace qv::test
