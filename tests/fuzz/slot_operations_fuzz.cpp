// Random sequences of GatherFullClip, ReplaceClipBlock and UpdateClipBlock on random stores
// (a few bytes make hundreds of lines, up to the line limit): extraction changes nothing; a
// replacement changes only its own slot's lines, as a line-by-line model predicts; no other
// slot's block moves; a well-formed store stays well-formed; an update leaves at most 850
// lines, or no more than before.
#include <optional>

#include "fuzz_support.h"
#include "library/data_files.h"
#include "library/slot_library.h"

namespace qv::fuzz {
namespace {

constexpr int kMaxSlots = 6;

std::string Identity(int slot) {
  return "SlotIdent0000" + std::string(1, static_cast<char>('a' + slot));
}
std::string Header(int slot) {
  return std::string(kHeaderPrefix) + Identity(slot);
}
std::string Trailer(int slot) {
  return std::string(kTrailerPrefix) + Identity(slot);
}

std::string UpperCase(std::string text) {
  for (auto& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Index of the CR LF line that holds `pos`.
std::size_t LineOf(std::string_view store, std::size_t pos) {
  std::size_t line = 0;
  for (auto brk = store.find("\r\n"); brk != std::string_view::npos && brk < pos;
       brk = store.find("\r\n", brk + 2))
    ++line;
  return line;
}

// Where a slot's tags are found (first occurrence, letter case ignored), by line.
struct TagLines {
  std::size_t header, trailer;
};
std::optional<TagLines> FindTagLines(std::string_view store, const std::string& header) {
  const std::string folded = AsciiLower(store);
  const auto h = folded.find(AsciiLower(header));
  const auto t = folded.find(AsciiLower(TrailerTagFor(header)));
  if (h == std::string::npos || t == std::string::npos) return std::nullopt;
  return TagLines{LineOf(store, h), LineOf(store, t)};
}

// A slot's block as the store holds it: its lines from the header's to the trailer's.
std::optional<std::vector<std::string>> BlockLines(std::string_view store,
                                                   const std::string& header) {
  const auto at = FindTagLines(store, header);
  if (!at || at->header >= at->trailer) return std::nullopt;
  const auto pieces = Pieces(store);
  return std::vector<std::string>(pieces.begin() + static_cast<std::ptrdiff_t>(at->header),
                                  pieces.begin() + static_cast<std::ptrdiff_t>(at->trailer) + 1);
}

int Occurrences(std::string_view store, std::string_view text) {
  const std::string folded = AsciiLower(store), what = AsciiLower(text);
  int count = 0;
  for (auto at = folded.find(what); at != std::string::npos; at = folded.find(what, at + 1))
    ++count;
  return count;
}

bool HasTagText(std::string_view text) {
  return Occurrences(text, kHeaderPrefix) + Occurrences(text, kTrailerPrefix) > 0;
}

// Each tag once, alone on its line, header first, and no tag text in between.
bool SlotWellFormed(std::string_view store, const std::string& header) {
  if (Occurrences(store, header) != 1 || Occurrences(store, TrailerTagFor(header)) != 1)
    return false;
  const auto block = BlockLines(store, header);
  if (!block) return false;
  if (AsciiLower(block->front()) != AsciiLower(header)) return false;
  if (AsciiLower(block->back()) != AsciiLower(TrailerTagFor(header))) return false;
  for (std::size_t i = 1; i + 1 < block->size(); ++i)
    if (HasTagText((*block)[i])) return false;
  return true;
}

// Every header text in the store, each once, letter case folded; tag text that runs over a
// line break is no slot's, since identities hold no line breaks.
std::vector<std::string> HeadersInStore(std::string_view store) {
  const std::string folded = AsciiLower(store), prefix = AsciiLower(kHeaderPrefix);
  std::vector<std::string> headers;
  for (auto at = folded.find(prefix); at != std::string::npos; at = folded.find(prefix, at + 1)) {
    const std::string header = folded.substr(at, kTagLength);
    if (header.size() == kTagLength && header.find_first_of("\r\n") == std::string::npos &&
        std::find(headers.begin(), headers.end(), header) == headers.end())
      headers.push_back(header);
  }
  return headers;
}

// Another slot's block holds this one: replacing it would change that slot's block.
bool InsideAnotherBlock(std::string_view store, const std::string& header) {
  const auto own = FindTagLines(store, header);
  for (const auto& other : HeadersInStore(store)) {
    if (other == AsciiLower(header)) continue;
    const auto at = FindTagLines(store, other);
    if (at && at->header < own->header && at->trailer > own->trailer) return true;
  }
  return false;
}

bool StoreWellFormed(std::string_view store, int slots) {
  for (int slot = 0; slot < slots; ++slot)
    if (!SlotWellFormed(store, Header(slot))) return false;
  return true;
}

// The store after replacing the block of `current`, line by line: its lines from header to
// trailer become the new block's; a trailer that ended the store gets a line break.
std::string ModelReplace(std::string_view store, const CurrentSlot& current,
                         std::string_view content) {
  const auto at = FindTagLines(store, current.header);
  const auto pieces = Pieces(store);
  std::vector<std::string> out(pieces.begin(),
                               pieces.begin() + static_cast<std::ptrdiff_t>(at->header));
  out.push_back(current.header);
  if (!content.empty())
    for (auto& line : Pieces(WithCrLfBreaks(content))) out.push_back(line);
  out.push_back(current.trailer);
  if (at->trailer + 1 == pieces.size()) out.emplace_back();
  out.insert(out.end(), pieces.begin() + static_cast<std::ptrdiff_t>(at->trailer) + 1,
             pieces.end());
  return JoinedWithCrLf(out);
}

// Up to 1020 lines of the same text, each ended by CR LF.
std::string LineRun(ByteReader& in) {
  const std::string line = in.Text(8) + "\r\n";
  std::string run;
  for (int n = 4 * in.Byte(); n > 0; --n) run += line;
  return run;
}

// A store file of random pieces: whole blocks, stray tags, tags beside text or in other
// letter case, lines of any bytes, and runs of lines.
ClipStore RandomStore(ByteReader& in, int slots) {
  std::string file;
  for (int pieces = in.Below(12); pieces > 0; --pieces) {
    const int slot = in.Below(slots);
    switch (in.Below(10)) {
      case 0:
      case 1:
      case 2: {
        const std::string content = in.Text(24);
        file += Header(slot) + "\r\n" + content + "\r\n" + Trailer(slot) + "\r\n";
        break;
      }
      case 3:
        file += Header(slot) + "\n";
        break;
      case 4:
        file += Trailer(slot) + "\r";
        break;
      case 5:
        file += UpperCase(in.Below(2) ? Header(slot) : Trailer(slot)) + "\r\n";
        break;
      case 6: {
        // The input is read in a fixed order, the same whichever compiler built the target.
        const std::string before = in.Text(4);
        const std::string tag = in.Below(2) ? Header(slot) : Trailer(slot);
        file += before + tag + in.Text(4) + "\r\n";
        break;
      }
      case 7:
        file += in.Text(16) + "\r\n";
        break;
      default:
        file += LineRun(in);
        break;
    }
  }
  if (in.Below(2)) file += in.Text(8);
  return ParseStoreFile(file);
}

// A row for each slot, then rows that belong to no slot or to one the store lacks.
SlotList RandomRows(ByteReader& in, int slots) {
  SlotList rows;
  for (int slot = 0; slot < slots; ++slot)
    rows.push_back(ComposeSlotRow(in.Text(30), Header(slot)));
  rows.push_back(in.Text(40));
  rows.push_back("title /:hdr:\\short");
  rows.push_back(ComposeSlotRow("", Header(kMaxSlots)));
  return rows;
}

// A content for a replacement, now and then with tag text in it.
std::string RandomContent(ByteReader& in, int slots) {
  std::string content = in.Text(40);
  if (in.Below(8) == 0) {
    const std::string tag = in.Below(2) ? Header(in.Below(slots)) : std::string(kTrailerPrefix);
    const std::size_t at = in.Byte();
    content.insert(std::min(content.size(), at), tag);
  }
  return content;
}

// A slot to replace without extracting first: in another letter case, with a trailer that
// does not match, or cut short.
CurrentSlot MadeUpSlot(ByteReader& in, int slots) {
  const int slot = in.Below(slots);
  CurrentSlot current{slot, Header(slot), Trailer(slot)};
  switch (in.Below(4)) {
    case 0:
      current.header = UpperCase(current.header.substr(0, 7)) + current.header.substr(7);
      current.trailer = TrailerTagFor(current.header);
      break;
    case 1:
      current.trailer = Trailer((slot + 1) % slots);
      break;
    case 2:
      current.header.resize(in.Below(kTagLength));
      current.trailer = TrailerTagFor(current.header);
      break;
    default:
      break;
  }
  return current;
}

void CheckGather(const SlotList& rows, const ClipStore& store, int row, CurrentSlot& current) {
  const ClipStore before = store;
  const std::string content = GatherFullClip(rows, row, store, current);
  FUZZ_CHECK(store == before);
  FUZZ_CHECK(current.rowIndex == row);
  if (row < 0 || row >= static_cast<int>(rows.size())) return;
  const std::string& text = rows[static_cast<std::size_t>(row)];
  const auto at = text.find(kHeaderPrefix);
  FUZZ_CHECK(current.header == text.substr(at == std::string::npos ? 0 : at, kTagLength));
  FUZZ_CHECK(current.trailer == TrailerTagFor(current.header));
  if (at != std::string::npos && current.header.size() == kTagLength &&
      SlotWellFormed(store, current.header)) {
    auto block = *BlockLines(store, current.header);
    block.pop_back();
    block.erase(block.begin());
    FUZZ_CHECK(content == JoinedWithCrLf(block) || (block.empty() && content.empty()));
  }
}

void CheckReplace(const SlotList& rows, ClipStore& store, const CurrentSlot& current,
                  std::string_view content, int slots) {
  const ClipStore before = store;
  const bool wellFormed = StoreWellFormed(before, slots);
  const bool replaced = ReplaceClipBlock(store, current, content);
  if (!replaced) {
    FUZZ_CHECK(store == before);
    // A clean replacement of a sound block is never refused.
    const bool sound =
        current.header.size() == kTagLength && current.header.rfind(kHeaderPrefix, 0) == 0 &&
        current.trailer == TrailerTagFor(current.header) &&
        SlotWellFormed(before, current.header) && !InsideAnotherBlock(before, current.header);
    FUZZ_CHECK(!sound || HasTagText(content));
    return;
  }
  FUZZ_CHECK(!HasTagText(content));
  FUZZ_CHECK(store == ModelReplace(before, current, content));
  for (const auto& other : HeadersInStore(before))
    if (other != AsciiLower(current.header))
      FUZZ_CHECK(BlockLines(before, other) == BlockLines(store, other));
  FUZZ_CHECK(!wellFormed || StoreWellFormed(store, slots));
  // What was written is what an extraction gives back, from every row that names the slot.
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    const std::string& text = rows[static_cast<std::size_t>(row)];
    const auto at = text.find(kHeaderPrefix);
    if (at == std::string::npos ||
        AsciiLower(text.substr(at, kTagLength)) != AsciiLower(current.header))
      continue;
    CurrentSlot extracted;
    FUZZ_CHECK(GatherFullClip(rows, row, store, extracted) == WithCrLfBreaks(content));
  }
}

// Update Clip: what ReplaceClipBlock would make of the store, kept only when it holds at most
// 850 lines, or no more than before.
void CheckUpdate(ClipStore& store, const CurrentSlot& current, std::string_view content) {
  const ClipStore before = store;
  ClipStore replaced = before;
  const bool replacing = ReplaceClipBlock(replaced, current, content);
  const UpdateOutcome outcome = UpdateClipBlock(store, current, content);
  const auto lines = FileLines(replaced).size();
  const bool fits = lines <= kStoreLineLimit || lines <= FileLines(before).size();
  FUZZ_CHECK(outcome == (!replacing ? UpdateOutcome::NotReplaced
                         : fits     ? UpdateOutcome::Done
                                    : UpdateOutcome::OverLineLimit));
  FUZZ_CHECK(store == (outcome == UpdateOutcome::Done ? replaced : before));
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  ByteReader in(data, size);
  const int slots = 1 + in.Below(kMaxSlots);
  ClipStore store = RandomStore(in, slots);
  const SlotList rows = RandomRows(in, slots);
  CurrentSlot current;
  for (int steps = 0; !in.Empty() && steps < 64; ++steps) {
    switch (in.Below(5)) {
      case 0:
        CheckGather(rows, store, in.Below(static_cast<int>(rows.size()) + 2) - 1, current);
        break;
      case 1:
      case 2:
        CheckReplace(rows, store, current, RandomContent(in, slots), slots);
        break;
      case 3: {
        const CurrentSlot madeUp = MadeUpSlot(in, slots);
        CheckReplace(rows, store, madeUp, RandomContent(in, slots), slots);
        break;
      }
      default:
        CheckUpdate(store, current, LineRun(in) + in.Text(8));
        break;
    }
  }
  return 0;
}
