#pragma once
// Two copies of the library edited apart (this machine's, and another's that a sync engine
// brought) made one, slot by slot, against the version both started from.
#include <vector>

#include "library/slot_library.h"

namespace qv {

// The rows and the store as one version of the library.
struct LibraryVersion {
  SlotList rows;
  ClipStore store;
  bool operator==(const LibraryVersion&) const = default;
};

struct LibraryMerge {
  LibraryVersion merged;
  // Rows whose slot both sides changed, each its own way: this machine's version is kept.
  std::vector<int> conflicts;
  // Both sides changed what belongs to no slot (the number of rows, text between blocks),
  // or a slot could not be placed: this machine's version of that is kept.
  bool conflictOutsideSlots = false;
  bool Clean() const { return conflicts.empty() && !conflictOutsideSlots; }
};

// A slot (a row and the block its tag names) changed on one side only takes that side's
// row and block; changed on both sides, this machine's. A row whose block the other side's
// store does not hold yet (a burst still arriving) takes the row and keeps the block.
LibraryMerge MergeLibraries(const LibraryVersion& base, const LibraryVersion& mine,
                            const LibraryVersion& theirs);

}  // namespace qv
