#include "popup/popup_rules.h"

#include <algorithm>
#include <vector>

#include "library/slot_library.h"

namespace qv {

namespace {

constexpr std::string_view kBrokenBar = "\u00A6";  // UTF-8 C2 A6

// Lines as a text control holds them: CR LF, a lone CR and a lone LF each end a line;
// an empty last line is dropped, as LineCount does not count it.
std::vector<std::string_view> CountedLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::optional<int> SlotKeyIndex(unsigned virtualKey) {
  if (virtualKey >= '1' && virtualKey <= '9') return static_cast<int>(virtualKey - '1');
  if (virtualKey == '0') return 9;
  if (virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<int>(virtualKey - 'A') + 10;
  return std::nullopt;
}

std::vector<std::string> KeyLabelItems() {
  constexpr std::string_view kLabels = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::vector<std::string> items;
  for (int page = 0; page < 2; ++page)
    for (const char label : kLabels) items.emplace_back(1, label);
  return items;
}

std::optional<int> SlotRowForKey(unsigned virtualKey, int topRow, int rowCount) {
  auto index = SlotKeyIndex(virtualKey);
  if (!index) return std::nullopt;
  // A row above the top row has scrolled out of view; its second-page twin is in view.
  int row = topRow > *index ? *index + kPageRows : *index;
  if (row >= rowCount) return std::nullopt;
  return row;
}

void ClickSuffixButton(ButtonControl& crlf, ButtonControl& crlfLf, SuffixButton clicked) {
  ButtonControl& mine = clicked == SuffixButton::CrLf ? crlf : crlfLf;
  ButtonControl& other = clicked == SuffixButton::CrLf ? crlfLf : crlf;
  if (mine.Down()) {
    mine.SetDown(false);
    return;
  }
  mine.SetDown(true);
  other.SetDown(false);
}

std::string PasteSuffix(const ButtonControl& crlf, const ButtonControl& crlfLf) {
  if (crlf.Down()) return "\r\n";
  if (crlfLf.Down()) return "\r\n\n";
  return {};
}

std::string BuildPreviewText(std::string_view content) {
  std::string text;
  text.reserve(content.size());
  for (const char c : content) c == '|' ? void(text += kBrokenBar) : void(text += c);

  auto lines = CountedLines(text);
  std::size_t shown = std::min<std::size_t>(lines.size(), kPreviewLineLimit);
  std::string preview;
  for (std::size_t j = 0; j < shown; ++j) {
    if (j > 0) preview += "\r\n";
    preview += lines[j];
    if (j + 1 == kPreviewLineLimit) preview += "...";
  }
  return preview;
}

WindowRect LabelColumnOnScreen(const WindowRect& window, const WindowRect& column) {
  return {window.left + column.left, window.top + column.top, column.width, column.height};
}

bool StrictlyInside(Point p, const WindowRect& r) {
  return r.left < p.x && p.x < r.left + r.width && r.top < p.y && p.y < r.top + r.height;
}

}  // namespace qv
