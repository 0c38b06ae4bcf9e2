// Two copies of a random library edited apart (titles, texts, the order of the blocks, a
// block still on its way), merged: every slot's row and text come from one side, a slot
// changed on one side only comes from that side, the slots changed on both are the ones
// told, and the store stays well-formed. Now and then the other side's store is random
// bytes: the merge must still take every row from one side.
#include "fuzz_support.h"
#include "library/library_merge.h"

namespace qv::fuzz {
namespace {

constexpr int kSlots = 4;

std::string Header(int slot) {
  return std::string(kHeaderPrefix) + "MergeIdent000" + static_cast<char>('a' + slot);
}

struct Slot {
  std::string title, content;
  bool arrived = true;  // the block is in the store
  bool operator==(const Slot& other) const {
    return title == other.title && content == other.content;
  }
};

// Letters and CR LF breaks: text the editor stores.
std::string Text(ByteReader& in, std::size_t longest) {
  std::string text;
  for (std::size_t n = in.Below(static_cast<int>(longest)); n > 0; --n) {
    const int b = in.Below(4);
    text += b == 3 ? std::string("\r\n") : std::string(1, static_cast<char>('a' + b));
  }
  return text;
}

LibraryVersion VersionOf(const std::vector<Slot>& slots, ByteReader& in) {
  LibraryVersion version;
  std::vector<int> order;
  for (int i = 0; i < kSlots; ++i) {
    version.rows.push_back(ComposeSlotRow(slots[i].title, Header(i)));
    order.insert(order.begin() + in.Below(static_cast<int>(order.size()) + 1), i);
  }
  for (int i : order) {
    if (!slots[i].arrived) continue;
    const std::string& content = slots[i].content;
    version.store += Header(i) + "\r\n" + (content.empty() ? "" : content + "\r\n") +
                     TrailerTagFor(Header(i)) + "\r\n";
  }
  return version;
}

std::vector<Slot> Edited(std::vector<Slot> slots, ByteReader& in, bool mayLeaveOut) {
  for (Slot& slot : slots) {
    const int edit = in.Below(8);
    if (edit & 1) slot.title = "T" + Text(in, 3);
    if (edit & 2) slot.content = Text(in, 6);
    if (mayLeaveOut && (edit & 4) && in.Below(3) == 0) slot.arrived = false;
  }
  return slots;
}

std::string ContentOf(const LibraryVersion& version, int row) {
  CurrentSlot current;
  return GatherFullClip(version.rows, row, version.store, current);
}

int Occurrences(const std::string& store, const std::string& tag) {
  const std::string folded = AsciiLower(store), what = AsciiLower(tag);
  int count = 0;
  for (auto at = folded.find(what); at != std::string::npos; at = folded.find(what, at + 1))
    ++count;
  return count;
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  ByteReader in(data, size);
  const bool randomStore = in.Below(8) == 0;
  std::vector<Slot> base;
  for (int i = 0; i < kSlots; ++i) base.push_back({"T" + Text(in, 3), Text(in, 6)});
  const std::vector<Slot> mine = Edited(base, in, false), theirs = Edited(base, in, true);
  const LibraryVersion baseFiles = VersionOf(base, in), mineFiles = VersionOf(mine, in);
  LibraryVersion theirFiles = VersionOf(theirs, in);
  if (randomStore) theirFiles.store = in.Text(200);

  const LibraryMerge merge = MergeLibraries(baseFiles, mineFiles, theirFiles);
  const LibraryVersion& out = merge.merged;
  FUZZ_CHECK(out.rows.size() == static_cast<std::size_t>(kSlots));
  for (int i = 0; i < kSlots; ++i) {
    FUZZ_CHECK(out.rows[i] == mineFiles.rows[i] || out.rows[i] == theirFiles.rows[i]);
    if (randomStore) continue;
    const std::string content = ContentOf(out, i);
    FUZZ_CHECK(content == mine[i].content || content == theirs[i].content);
    FUZZ_CHECK(Occurrences(out.store, Header(i)) == 1);
    FUZZ_CHECK(Occurrences(out.store, TrailerTagFor(Header(i))) == 1);
    FUZZ_CHECK(FindClipBlock(out.store, Header(i)).has_value());
    const bool bothChanged =
        !(mine[i] == base[i]) && !(theirs[i] == base[i]) && !(mine[i] == theirs[i]);
    const bool told = std::count(merge.conflicts.begin(), merge.conflicts.end(), i) > 0;
    FUZZ_CHECK(told == bothChanged);
    const Slot& expected = mine[i] == base[i] ? theirs[i] : mine[i];
    FUZZ_CHECK(out.rows[i] == ComposeSlotRow(expected.title, Header(i)));
    if (expected.arrived || &expected == &mine[i]) FUZZ_CHECK(content == expected.content);
  }
  return 0;
}
