#pragma once
// Two copies of the library edited apart (this machine's, and another's that a sync engine
// brought) made one, slot by slot, against the version both started from.
#include <set>
#include <string>
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

// What this machine knows of each slot's versions (its row and its block each). The version both
// machines last shared is not this machine's last save: a sync engine may have kept that save only
// as a conflict copy and put the other machine's, made from an older version, in place. So a slot's
// version arriving is judged by what this machine has seen of that slot: one it has seen
// (read or written) is no change of the other side; a new one is the other side's edit,
// taken where this machine's version is one the files held (read or written), else a
// conflict. A conflict copy holding this machine's own version of a slot whose version
// here came from elsewhere shows both sides changed it.
class SlotHistory {
 public:
  // A version read from the live files (at the start, or taken in).
  void Read(const LibraryVersion& version);
  // A version this machine wrote.
  void Wrote(const LibraryVersion& version);
  const LibraryVersion& LastRead() const { return lastRead_; }
  using Sets = std::vector<std::set<std::string>>;  // per row, its rows' and blocks' keys

 private:
  friend LibraryMerge MergeIncoming(const SlotHistory&, const LibraryVersion&,
                                    const LibraryVersion&, bool);
  void Add(Sets& sets, const LibraryVersion& version);

  Sets seen_, settled_, own_;
  LibraryVersion lastRead_;
};

// `incoming` (the live files another machine wrote, or a sync engine's conflict copy of
// them) merged into `mine` slot by slot, judged by `history`. What belongs to no slot is
// merged against the version last read.
LibraryMerge MergeIncoming(const SlotHistory& history, const LibraryVersion& mine,
                           const LibraryVersion& incoming, bool conflictCopy);

}  // namespace qv
