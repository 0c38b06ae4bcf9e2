#pragma once
// Byte formats of the slot rows file and the clip store file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "library/slot_library.h"

namespace qv {

inline constexpr const char* kRowsFileName = "Lb1.qvl";
inline constexpr const char* kStoreFileName = "svclips.qvl";
inline constexpr const char* kPrefsFileName = "prefs.qvl";

// Names in the data folder, letter case ignored: one of the three data files; or a copy of
// one that a sync engine made when two machines changed it at once ("svclips-PC.qvl",
// "svclips.sync-conflict-....qvl", "svclips (PC's conflicted copy ...).qvl").
bool IsDataFileName(std::string_view name);
bool IsConflictCopyName(std::string_view name);

// Lines of a text file: CR LF, lone CR and lone LF each end a line; a final break starts
// no further line. The rows file holds one row per line; every byte is kept, NUL included,
// so that saving gives the file back.
std::vector<std::string> SplitFileLines(std::string_view bytes);

// Every row followed by CR LF; a line break inside a row is written as a blank, as it would
// split the row in two when read back and shift every later row onto its neighbour's slot.
std::string SerializeRows(const SlotList& rows);
ClipStore ParseStoreFile(std::string_view bytes);
// The same, taking over the bytes when they need no change (every break CR LF).
ClipStore ParseStoreFile(std::string&& bytes);

// A data file looks damaged when it holds NUL bytes outside UTF-16: no text the program
// writes has one.
bool LooksDamaged(std::string_view bytes);
// What the user is told at start-up about a damaged data file, which is loaded and saved
// byte for byte all the same: where a copy of it as found is kept, or, when none could be
// kept, that it is not written over.
std::string DamagedFileMessage(const std::string& path, const std::optional<std::string>& keptAs);

// The 72 rows the slot list shows before any file is read.
SlotList DesignSlotRows();

}  // namespace qv
