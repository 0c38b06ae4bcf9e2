#pragma once
// A data file that another program is still writing (a sync client or a network copy writes
// in place, a chunk at a time) must not be taken in: it would cost every row and clip after
// the cut. A file is whole when it has the shape this program itself writes, judged against
// the version last known. Texts are the files' decoded text.
#include <string_view>

#include "library/slot_library.h"

namespace qv {

// Every row ends its line, the row count is the one known (no operation adds or removes a
// row), and a row whose known version carries a tag carries a whole one.
bool IsWholeRowsFile(std::string_view text, const SlotList& knownRows);
// Every block the known store holds for one of `rows` is there with its trailer, and the
// text ends its last line where the known store did.
bool IsWholeStoreFile(std::string_view text, const SlotList& rows, std::string_view knownStore);
// The three lines, each ended.
bool IsWholePreferencesFile(std::string_view text);

}  // namespace qv
