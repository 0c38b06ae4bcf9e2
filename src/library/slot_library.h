#pragma once
// The 72 slots: rows of the slot list and the clip store that holds their clips.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::string_view kHeaderPrefix = "/:hdr:\\";
inline constexpr std::string_view kTrailerPrefix = "/:tlr:\\";
inline constexpr std::size_t kTagLength = 21;
// Lengths in characters as the user sees them (text is UTF-8).
inline constexpr std::size_t kTitleFieldLength = 27;
inline constexpr std::size_t kTagColumn = 71;  // characters before the tag in a written row
inline constexpr int kStoreLineLimit = 850;
// The most of a row the slot list holds: programs that read a list's items from outside
// (screen readers, accessibility tools) cope with that; Wine's cross-process LB_GETTEXT
// overruns at about 1000 characters.
inline constexpr std::size_t kListTextLimit = 255;
inline constexpr int kSlotCount = 72;
inline constexpr int kPageRows = 36;  // the slot keys' 36 labels: a page of the list

using SlotList = std::vector<std::string>;  // one SlotRow per entry
using ClipStore = std::string;              // lines separated by CR LF

struct CurrentSlot {
  std::int32_t rowIndex = 0;
  std::string header;
  std::string trailer;
};

// First occurrence of `tag` in the store, letter case ignored; 0-based position.
std::optional<std::size_t> FindTag(std::string_view store, std::string_view tag);
std::string TrailerTagFor(std::string_view header);
std::string ComposeSlotRow(std::string_view title, std::string_view header);
std::string ReadSlotTitle(std::string_view row);
// Lines of a text, an empty last line not counted.
int LineCount(std::string_view text);
// True when a title can stand in a row: a line break would split the row in two in the file.
bool TitleFitsRow(std::string_view title);
// What the slot list shows of a row: its first kListTextLimit characters. The row itself
// stays whole in the library and in its file.
std::string ListText(std::string_view row);
SlotList ListTexts(const SlotList& rows);
// True when the row holds "/:hdr:\" (exact case) anywhere.
bool RowHasHeader(std::string_view row);
// True when the text holds "/:hdr:\" or "/:tlr:\" in any letter case; such a title or
// content would break the store's tags.
bool ContainsTagText(std::string_view text);

// Extracts the content of `rows[row]` from the store and records the slot in `current`.
// The store is never changed.
std::string GatherFullClip(const SlotList& rows, int row, std::string_view store,
                           CurrentSlot& current);

// Replaces current's block by one holding `content`. Returns false, leaving the store
// unchanged, when the block cannot be replaced safely: tags missing, out of order or mixed
// with other tag text, the block inside another slot's block, or tag text in `content`.
bool ReplaceClipBlock(ClipStore& store, const CurrentSlot& current, std::string_view content);

// The whole lines of a slot's block, [begin, end): from the header line's start to just
// after the trailer line's CR LF (or the store's end). Nothing where ReplaceClipBlock would
// refuse the block.
struct BlockRange {
  std::size_t begin = 0, end = 0;
};
std::optional<BlockRange> FindClipBlock(std::string_view store, std::string_view header);
// The header tag a row holds, "" for a row without one.
std::string HeaderOfRow(std::string_view row);

enum class UpdateOutcome { Done, NotReplaced, OverLineLimit };
// Update Clip: ReplaceClipBlock, judged by the store it leaves, which may hold at most 850
// lines, or no more than before (a store grown past the limit elsewhere can still be edited,
// never grown). The store is changed only when the outcome is Done.
UpdateOutcome UpdateClipBlock(ClipStore& store, const CurrentSlot& current,
                              std::string_view content);

}  // namespace qv
