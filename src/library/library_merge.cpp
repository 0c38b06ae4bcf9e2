#include "library/library_merge.h"

#include <algorithm>
#include <optional>
#include <string>

namespace qv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

// A slot as one side holds it: its row, and its block's lines without the break after the
// trailer; no block where the store holds none that could be replaced.
struct SlotValue {
  std::string row;
  std::optional<std::string> block;
  bool operator==(const SlotValue&) const = default;
};

std::optional<std::string> BlockText(std::string_view store, const std::string& header) {
  if (header.empty()) return std::nullopt;
  const auto range = FindClipBlock(store, header);
  if (!range) return std::nullopt;
  auto block = store.substr(range->begin, range->end - range->begin);
  if (block.ends_with(kCrLf)) block.remove_suffix(kCrLf.size());
  return std::string(block);
}

SlotValue ValueOf(const LibraryVersion& version, std::size_t row) {
  const std::string& text = version.rows[row];
  return {text, BlockText(version.store, HeaderOfRow(text))};
}

// The store without the blocks its rows name: what belongs to no slot.
std::string OutsideSlots(const LibraryVersion& version) {
  std::string store = version.store;
  for (const std::string& row : version.rows) {
    const std::string header = HeaderOfRow(row);
    if (header.empty()) continue;
    if (const auto range = FindClipBlock(store, header))
      store.erase(range->begin, range->end - range->begin);
  }
  return store;
}

// `value`'s block in place of the store's block of its tag, or after the store's last line.
// False, the store unchanged, where the store holds the tag in a block it cannot replace.
bool PlaceBlock(ClipStore& store, const SlotValue& value) {
  if (!value.block) return true;  // not arrived yet: what the store holds stays
  const std::string header = HeaderOfRow(value.row);
  const std::string block = *value.block + std::string(kCrLf);
  if (const auto range = FindClipBlock(store, header)) {
    store.replace(range->begin, range->end - range->begin, block);
    return true;
  }
  if (FindTag(store, header) || FindTag(store, TrailerTagFor(header))) return false;
  if (!store.empty() && !store.ends_with(kCrLf)) store += kCrLf;
  store += block;
  return true;
}

// The keys a slot's row and block are remembered by.
std::string RowKey(const std::string& row) {
  return 'r' + row;
}
std::string BlockKey(const std::optional<std::string>& block) {
  return block ? 'b' + *block : std::string("-");
}

// Slot by slot: `was[i]` is the version both sides started from.
LibraryMerge MergeSlots(const std::vector<SlotValue>& was, const std::string& outsideBase,
                        const LibraryVersion& mine, const LibraryVersion& theirs) {
  const std::size_t rows = mine.rows.size();
  if (was.size() != rows || theirs.rows.size() != rows) return {mine, {}, true};

  LibraryMerge result;
  std::vector<SlotValue> mineValues, theirValues;
  std::vector<bool> takeTheirs(rows, false);
  for (std::size_t i = 0; i < rows; ++i) {
    mineValues.push_back(ValueOf(mine, i));
    theirValues.push_back(ValueOf(theirs, i));
    const SlotValue& ours = mineValues.back();
    SlotValue other = theirValues.back();
    // A block still on its way is as it was.
    if (!other.block && HeaderOfRow(other.row) == HeaderOfRow(was[i].row))
      other.block = was[i].block;
    if (other == was[i] || other == ours) continue;
    if (ours == was[i])
      takeTheirs[i] = true;
    else
      result.conflicts.push_back(static_cast<int>(i));
  }

  const std::string outsideMine = OutsideSlots(mine), outsideTheirs = OutsideSlots(theirs);
  result.conflictOutsideSlots =
      outsideMine != outsideBase && outsideTheirs != outsideBase && outsideMine != outsideTheirs;

  // Starting from one side's files, the slots that take the other side's version.
  const auto build = [&](bool onTheirs, std::vector<int>& unplaced) {
    LibraryVersion out = onTheirs ? theirs : mine;
    for (std::size_t i = 0; i < rows; ++i) {
      if (takeTheirs[i] == onTheirs || mineValues[i] == theirValues[i]) continue;
      const SlotValue& value = takeTheirs[i] ? theirValues[i] : mineValues[i];
      if (PlaceBlock(out.store, value))
        out.rows[i] = value.row;
      else
        unplaced.push_back(static_cast<int>(i));
    }
    return out;
  };
  std::vector<int> unplaced;
  // What belongs to no slot comes from the side that changed it.
  if (outsideMine == outsideBase && outsideTheirs != outsideBase) {
    result.merged = build(true, unplaced);
    if (unplaced.empty()) return result;
    unplaced.clear();  // a slot of this machine would be lost: start from its files instead
  }
  result.merged = build(false, unplaced);
  if (outsideTheirs != outsideBase && outsideTheirs != outsideMine)
    result.conflictOutsideSlots = true;
  result.conflicts.insert(result.conflicts.end(), unplaced.begin(), unplaced.end());
  std::sort(result.conflicts.begin(), result.conflicts.end());
  return result;
}

}  // namespace

LibraryMerge MergeLibraries(const LibraryVersion& base, const LibraryVersion& mine,
                            const LibraryVersion& theirs) {
  if (mine == theirs) return {theirs, {}, false};
  if (mine == base) {
    // The other side's files, with this side's blocks of rows whose block is on its way.
    LibraryMerge result{theirs, {}, false};
    for (std::size_t i = 0; i < theirs.rows.size() && i < mine.rows.size(); ++i) {
      const SlotValue other = ValueOf(theirs, i), ours = ValueOf(mine, i);
      if (!other.block && HeaderOfRow(other.row) == HeaderOfRow(ours.row) &&
          !FindTag(theirs.store, HeaderOfRow(other.row)))
        PlaceBlock(result.merged.store, ours);
    }
    return result;
  }
  if (theirs == base) return {mine, {}, false};
  std::vector<SlotValue> was;
  for (std::size_t i = 0; i < base.rows.size(); ++i) was.push_back(ValueOf(base, i));
  return MergeSlots(was, OutsideSlots(base), mine, theirs);
}

void SlotHistory::Add(Sets& sets, const LibraryVersion& version) {
  if (sets.size() < version.rows.size()) sets.resize(version.rows.size());
  for (std::size_t i = 0; i < version.rows.size(); ++i) {
    const SlotValue value = ValueOf(version, i);
    sets[i].insert(RowKey(value.row));
    sets[i].insert(BlockKey(value.block));
  }
}

void SlotHistory::Read(const LibraryVersion& version) {
  Add(seen_, version);
  Add(settled_, version);
  lastRead_ = version;
}

void SlotHistory::Wrote(const LibraryVersion& version) {
  Add(seen_, version);
  Add(settled_, version);
  Add(own_, version);
}

// The row and the block are judged each on its own: a sync engine brings the rows file and
// the store file apart, so an incoming slot may pair a new row with a block seen before.
LibraryMerge MergeIncoming(const SlotHistory& history, const LibraryVersion& mine,
                           const LibraryVersion& incoming, bool conflictCopy) {
  if (mine == incoming) return {incoming, {}, false};
  const std::size_t rows = mine.rows.size();
  if (incoming.rows.size() != rows) return {mine, {}, true};
  const auto known = [](const SlotHistory::Sets& sets, std::size_t i, const std::string& key) {
    return i < sets.size() && sets[i].count(key) > 0;
  };
  LibraryVersion adjusted = incoming;  // the other side's news only, this side's otherwise
  std::vector<SlotValue> was;          // per slot, what the other side started from
  for (std::size_t i = 0; i < rows; ++i) {
    const SlotValue ours = ValueOf(mine, i), other = ValueOf(incoming, i);
    bool news = false, settled = true, lostHere = false;
    const auto judge = [&](const std::string& oursKey, const std::string& otherKey) {
      if (oursKey == otherKey) return false;
      if (conflictCopy && known(history.own_, i, otherKey) && !known(history.own_, i, oursKey))
        lostHere = true;  // this machine's save lost to another's
      if (known(history.seen_, i, otherKey)) return false;
      news = true;
      settled = settled && known(history.settled_, i, oursKey);
      return true;
    };
    const bool rowNews = judge(RowKey(ours.row), RowKey(other.row));
    const bool blockNews = judge(BlockKey(ours.block), BlockKey(other.block)) &&
                           HeaderOfRow(other.row) == HeaderOfRow(ours.row);
    if (!rowNews) adjusted.rows[i] = ours.row;
    if (!blockNews && ours.block) PlaceBlock(adjusted.store, {ours.row, ours.block});
    if (lostHere)
      was.push_back({"\n", std::nullopt});
    else if (!news || settled)
      was.push_back(ours);  // nothing new (no change), or new there only (taken)
    else
      was.push_back({"\n", std::nullopt});  // changed on both sides
  }
  LibraryMerge merge = MergeSlots(was, OutsideSlots(history.lastRead_), mine, adjusted);
  return merge;
}

}  // namespace qv
