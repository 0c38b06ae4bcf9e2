// Two copies of a random library edited apart (titles, texts, block order, a block still on
// its way), merged: every slot's row and text come from one side, a slot changed on one side
// only from that side, exactly the slots changed on both are told, and the store stays
// well-formed. With a random other store, every row still comes from one side.
#include "fuzz_support.h"
#include "library/library_merge.h"

namespace qv::fuzz {
namespace {

constexpr int kSlots = 4;

std::string Header(int slot) {
  return std::string(kHeaderPrefix) + "MergeIdent000" + static_cast<char>('a' + slot);
}

struct Slot {
  std::string title, text;
  bool arrived = true;  // its block is in the store
  bool operator==(const Slot& o) const { return title == o.title && text == o.text; }
};

// Letters and CR LF breaks, as the editor stores them; a title has no breaks.
std::string Text(ByteReader& in, bool breaks = true) {
  std::string text;
  for (int n = in.Below(6); n > 0; --n) {
    const int b = in.Below(4);
    text += b == 3 && breaks ? std::string("\r\n") : std::string(1, static_cast<char>('a' + b));
  }
  return text;
}

// The blocks in an order of their own, a block on its way left out.
LibraryVersion VersionOf(const std::vector<Slot>& slots, ByteReader& in) {
  LibraryVersion version;
  std::vector<std::string> blocks;
  for (int i = 0; i < kSlots; ++i) {
    version.rows.push_back(ComposeSlotRow(slots[i].title, Header(i)));
    const std::string& text = slots[i].text;
    blocks.insert(blocks.begin() + in.Below(i + 1),
                  !slots[i].arrived ? ""
                                    : Header(i) + "\r\n" + (text.empty() ? "" : text + "\r\n") +
                                          TrailerTagFor(Header(i)) + "\r\n");
  }
  for (const std::string& block : blocks) version.store += block;
  return version;
}

std::vector<Slot> Edited(std::vector<Slot> slots, ByteReader& in, bool mayLeaveOut) {
  for (Slot& slot : slots) {
    const int edit = in.Below(8);
    if (edit & 1) slot.title = "T" + Text(in, false);
    slot.arrived = !(mayLeaveOut && (edit & 4) && in.Below(3) == 0);
    if ((edit & 2) && slot.arrived) slot.text = Text(in);  // a text on its way is not seen
  }
  return slots;
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  ByteReader in(data, size);
  const bool randomStore = in.Below(8) == 0;
  std::vector<Slot> base;
  for (int i = 0; i < kSlots; ++i) base.push_back({"T" + Text(in, false), Text(in)});
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
    CurrentSlot current;
    const std::string text = GatherFullClip(out.rows, i, out.store, current);
    const std::string store = AsciiLower(out.store);
    FUZZ_CHECK(store.find(AsciiLower(Header(i))) == store.rfind(AsciiLower(Header(i))));
    FUZZ_CHECK(FindClipBlock(out.store, Header(i)).has_value());
    const bool bothChanged =
        !(mine[i] == base[i]) && !(theirs[i] == base[i]) && !(mine[i] == theirs[i]);
    FUZZ_CHECK(std::count(merge.conflicts.begin(), merge.conflicts.end(), i) == bothChanged);
    const Slot& expected = mine[i] == base[i] ? theirs[i] : mine[i];
    FUZZ_CHECK(out.rows[i] == ComposeSlotRow(expected.title, Header(i)));
    FUZZ_CHECK(text == (expected.arrived ? expected.text : mine[i].text));
  }
  return 0;
}
