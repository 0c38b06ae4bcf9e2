#include "library/slot_library.h"

#include <algorithm>

#include "base/utf8_text.h"

namespace qv {

namespace {

constexpr std::string_view kCrLf = "\r\n";

char FoldCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(char a, char b) {
  return FoldCase(a) == FoldCase(b);
}

// Next position from `from` whose character equals `c` ignoring case.
std::size_t FindCharIgnoringCase(std::string_view text, char c, std::size_t from) {
  const char lower = FoldCase(c);
  if (lower < 'a' || lower > 'z') return text.find(c, from);  // memchr
  for (auto i = from; i < text.size(); ++i)
    if (FoldCase(text[i]) == lower) return i;
  return std::string_view::npos;
}

std::optional<std::size_t> FindIgnoringCase(std::string_view text, std::string_view what,
                                            std::size_t from = 0) {
  if (what.empty()) return from <= text.size() ? std::optional(from) : std::nullopt;
  // Jump between candidates for the first character, then compare the rest.
  for (auto at = FindCharIgnoringCase(text, what[0], from); at != std::string_view::npos;
       at = FindCharIgnoringCase(text, what[0], at + 1)) {
    if (text.size() - at < what.size()) break;
    if (std::equal(what.begin() + 1, what.end(), text.begin() + static_cast<std::ptrdiff_t>(at) + 1,
                   EqualIgnoringCase))
      return at;
  }
  return std::nullopt;
}

int CountIgnoringCase(std::string_view text, std::string_view what) {
  int count = 0;
  std::size_t from = 0;
  while (auto at = FindIgnoringCase(text, what, from)) {
    ++count;
    from = *at + what.size();
  }
  return count;
}

// Start of the store line holding `pos`: just after the CR LF before it.
std::size_t LineStart(std::string_view store, std::size_t pos) {
  if (pos < kCrLf.size()) return 0;
  const auto brk = store.rfind(kCrLf, pos - kCrLf.size());
  return brk == std::string_view::npos ? 0 : brk + kCrLf.size();
}

// End of the store line holding `pos`: where its CR LF begins, or the end of the store.
std::size_t LineEnd(std::string_view store, std::size_t pos) {
  const auto brk = store.find(kCrLf, pos);
  return brk == std::string_view::npos ? store.size() : brk;
}

// Where a slot's block lies in the store, in whole lines.
struct BlockSpan {
  std::size_t begin;         // start of the header line
  std::size_t contentBegin;  // start of the line after the header line
  std::size_t trailerLine;   // start of the trailer line
  std::size_t end;           // just after the trailer line's CR LF (or the store's end)
};

bool IsSlotTag(std::string_view tag, std::string_view prefix) {
  return CodePointCount(tag) == kTagLength && tag.substr(0, prefix.size()) == prefix;
}

// The tag that starts at `at`: 21 characters as the file writes them (an identity outside
// ASCII takes more bytes than characters here), or fewer where the text ends.
std::string_view TagAt(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at);
  return rest.substr(0, CodePointPrefix(rest, kTagLength));
}

// The block of a slot, or nothing when the tags are missing, out of order, or share their
// lines with any other tag text: touching such a region could damage another slot.
std::optional<BlockSpan> LocateBlock(std::string_view store, std::string_view header,
                                     std::string_view trailer) {
  if (!IsSlotTag(header, kHeaderPrefix) || trailer != TrailerTagFor(header)) return std::nullopt;
  const auto h = FindTag(store, header);
  const auto t = FindTag(store, trailer);
  if (!h || !t) return std::nullopt;
  BlockSpan span{};
  span.begin = LineStart(store, *h);
  const auto headerEnd = LineEnd(store, *h);
  span.trailerLine = LineStart(store, *t);
  if (span.trailerLine <= headerEnd) return std::nullopt;  // trailer before or beside header
  span.contentBegin = headerEnd + kCrLf.size();
  const auto trailerEnd = LineEnd(store, *t);
  span.end = trailerEnd == store.size() ? trailerEnd : trailerEnd + kCrLf.size();
  const auto region = store.substr(span.begin, trailerEnd - span.begin);
  if (CountIgnoringCase(region, kHeaderPrefix) != 1 ||
      CountIgnoringCase(region, kTrailerPrefix) != 1)
    return std::nullopt;
  return span;
}

// True when another slot's block holds the span: a header before it whose trailer follows
// it. Replacing the span would change that slot's content. Tag text that runs over a line
// break belongs to no slot, as identities hold no line breaks.
bool InsideAnotherBlock(std::string_view store, const BlockSpan& span) {
  const std::string_view before = store.substr(0, span.begin);
  for (auto at = FindIgnoringCase(before, kHeaderPrefix); at;
       at = FindIgnoringCase(before, kHeaderPrefix, *at + 1)) {
    const auto header = TagAt(store, *at);
    if (CodePointCount(header) < kTagLength ||
        header.find_first_of("\r\n") != std::string_view::npos)
      continue;
    const auto trailer = FindTag(store, TrailerTagFor(header));
    if (trailer && *trailer >= span.end) return true;
  }
  return false;
}

// The editor's text with every lone CR or LF made a CR LF, as the store file would be
// read back, so that what is stored now is what the next run sees.
std::string WithCrLfBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += kCrLf;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::optional<std::size_t> FindTag(std::string_view store, std::string_view tag) {
  if (tag.empty()) return std::nullopt;
  return FindIgnoringCase(store, tag);
}

std::string TrailerTagFor(std::string_view header) {
  const auto prefixLength = kTrailerPrefix.size();
  std::string trailer(kTrailerPrefix);
  if (header.size() > prefixLength) trailer += header.substr(prefixLength);
  return trailer;
}

std::string ComposeSlotRow(std::string_view title, std::string_view header) {
  std::string row(title);
  const std::size_t characters = CharacterCount(title);
  if (characters < kTagColumn) row.append(kTagColumn - characters, ' ');
  row += header;
  return row;
}

std::string ReadSlotTitle(std::string_view row) {
  auto title = row.substr(0, CharacterPrefix(row, kTitleFieldLength));
  while (!title.empty() && static_cast<unsigned char>(title.back()) <= 32) title.remove_suffix(1);
  return std::string(title);
}

int LineCount(std::string_view text) {
  if (text.empty()) return 0;
  // Every LF is a break, and so is every CR that no LF follows.
  auto breaks = std::count(text.begin(), text.end(), '\n');
  for (auto cr = text.find('\r'); cr != std::string_view::npos; cr = text.find('\r', cr + 1))
    if (cr + 1 == text.size() || text[cr + 1] != '\n') ++breaks;
  const bool endsWithBreak = text.back() == '\n' || text.back() == '\r';
  return static_cast<int>(endsWithBreak ? breaks : breaks + 1);
}

bool TitleFitsRow(std::string_view title) {
  return title.find_first_of("\r\n") == std::string_view::npos;
}

std::string ListText(std::string_view row) {
  return std::string(row.substr(0, CharacterPrefix(row, kListTextLimit)));
}

SlotList ListTexts(const SlotList& rows) {
  SlotList texts;
  texts.reserve(rows.size());
  for (const auto& row : rows) texts.push_back(ListText(row));
  return texts;
}

bool RowHasHeader(std::string_view row) {
  return row.find(kHeaderPrefix) != std::string_view::npos;
}

bool ContainsTagText(std::string_view text) {
  return FindIgnoringCase(text, kHeaderPrefix) || FindIgnoringCase(text, kTrailerPrefix);
}

std::string GatherFullClip(const SlotList& rows, int row, std::string_view store,
                           CurrentSlot& current) {
  current = CurrentSlot{row, {}, {}};
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return {};
  const std::string_view text = rows[static_cast<std::size_t>(row)];
  // A row without a tag belongs to no slot; its first characters stand in for the header.
  const auto at = text.find(kHeaderPrefix);
  current.header = std::string(TagAt(text, at == std::string_view::npos ? 0 : at));
  current.trailer = TrailerTagFor(current.header);
  if (at == std::string_view::npos) return {};
  const auto span = LocateBlock(store, current.header, current.trailer);
  if (!span || span->trailerLine == span->contentBegin) return {};
  return std::string(
      store.substr(span->contentBegin, span->trailerLine - kCrLf.size() - span->contentBegin));
}

bool ReplaceClipBlock(ClipStore& store, const CurrentSlot& current, std::string_view content) {
  if (ContainsTagText(content)) return false;
  const auto span = LocateBlock(store, current.header, current.trailer);
  if (!span || InsideAnotherBlock(store, *span)) return false;
  std::string block = current.header;
  block += kCrLf;
  if (!content.empty()) {
    block += WithCrLfBreaks(content);
    block += kCrLf;
  }
  block += current.trailer;
  block += kCrLf;
  store.replace(span->begin, span->end - span->begin, block);
  return true;
}

std::optional<BlockRange> FindClipBlock(std::string_view store, std::string_view header) {
  const auto span = LocateBlock(store, header, TrailerTagFor(header));
  if (!span || InsideAnotherBlock(store, *span)) return std::nullopt;
  return BlockRange{span->begin, span->end};
}

std::string HeaderOfRow(std::string_view row) {
  const auto at = row.find(kHeaderPrefix);
  if (at == std::string_view::npos) return {};
  const auto header = TagAt(row, at);
  return CodePointCount(header) < kTagLength ? std::string() : std::string(header);
}

UpdateOutcome UpdateClipBlock(ClipStore& store, const CurrentSlot& current,
                              std::string_view content) {
  ClipStore updated = store;
  if (!ReplaceClipBlock(updated, current, content)) return UpdateOutcome::NotReplaced;
  const int lines = LineCount(updated);
  if (lines > kStoreLineLimit && lines > LineCount(store)) return UpdateOutcome::OverLineLimit;
  store = std::move(updated);
  return UpdateOutcome::Done;
}

}  // namespace qv
