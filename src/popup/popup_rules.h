#pragma once
// Rules of the pop-up list that need no window: slot keys, the paste suffix, the preview
// text and the key label column's place on the screen.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"

namespace qv {

// The preview shows at most this many lines, the last of them followed by "...".
inline constexpr int kPreviewLineLimit = 45;

// Index 0..35 of a slot key: "1".."9" are 0..8, "0" is 9, "A".."Z" are 10..35.
// Only the main keyboard's digit and letter keys are slot keys.
std::optional<int> SlotKeyIndex(unsigned virtualKey);

// The row a slot key chooses: i, or i + 36 when the list has scrolled past row i.
// Nothing when the key is no slot key or the list has no such row.
std::optional<int> SlotRowForKey(unsigned virtualKey, int topRow, int rowCount);

// The key label column's items: the label of each slot key in index order, for each of the
// list's two pages.
std::vector<std::string> KeyLabelItems();

enum class SuffixButton {
  CrLf,    // "+cR", SpeedButton2
  CrLfLf,  // "+CR", SpeedButton3
};

// One group of two toggle buttons: at most one down; clicking the down one raises it.
void ClickSuffixButton(ButtonControl& crlf, ButtonControl& crlfLf, SuffixButton clicked);

// What a paste appends; "+cR" is tested first.
std::string PasteSuffix(const ButtonControl& crlf, const ButtonControl& crlfLf);

// The hint text of a preview: "|" shown as the broken bar U+00A6 (the hint display would
// cut the text there), at most 45 lines with "..." after the 45th, joined by CR LF.
std::string BuildPreviewText(std::string_view content);

// The key label column's rectangle in screen pixels for a window at `window`, from its place
// in the window (whose Panel1 sits at the origin).
WindowRect LabelColumnOnScreen(const WindowRect& window, const WindowRect& column);

// Inside with every edge excluded: a point on the first or last pixel counts as outside.
bool StrictlyInside(Point p, const WindowRect& r);

}  // namespace qv
