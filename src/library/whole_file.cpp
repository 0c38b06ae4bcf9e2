#include "library/whole_file.h"

#include "library/data_files.h"

namespace qv {

namespace {

// A CR at the end ends a line only in a file of CR breaks: elsewhere its LF may be on its way.
bool EndsItsLine(std::string_view text) {
  return text.ends_with('\n') || (text.ends_with('\r') && text.find('\n') == text.npos);
}

}  // namespace

bool IsWholeRowsFile(std::string_view text, const SlotList& knownRows) {
  if (text.empty()) return knownRows.empty();
  if (!EndsItsLine(text)) return false;
  const std::vector<std::string> rows = SplitFileLines(text);
  if (!knownRows.empty() && rows.size() != knownRows.size()) return false;
  for (std::size_t i = 0; i < rows.size() && i < knownRows.size(); ++i)
    if (!HeaderOfRow(knownRows[i]).empty() && HeaderOfRow(rows[i]).empty()) return false;
  return true;
}

bool IsWholeStoreFile(std::string_view text, const SlotList& rows, std::string_view knownStore) {
  if (EndsItsLine(knownStore) && !EndsItsLine(text)) return false;
  for (const std::string& row : rows) {
    const std::string header = HeaderOfRow(row);
    if (!header.empty() && FindClipBlock(knownStore, header) && !FindClipBlock(text, header))
      return false;
  }
  return true;
}

bool IsWholePreferencesFile(std::string_view text) {
  return EndsItsLine(text) && SplitFileLines(text).size() >= 3;
}

}  // namespace qv
