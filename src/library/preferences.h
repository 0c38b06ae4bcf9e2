#pragma once
// The three preferences of prefs.qvl as plain values: the hot key text, the paste delay text
// and ParamFlags, with the file's byte form and the rule that guards it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "library/code_page.h"
#include "library/file_encoding.h"
#include "library/file_system.h"
#include "library/paste_delay.h"

namespace qv {

inline constexpr const char* kDefaultParamFlags = "0000000000";

// The texts as the user typed them: they are saved as they stand, not as applied.
struct Preferences {
  std::string hotKey = "Ctrl+Alt+Down";
  std::string pasteDelay = std::to_string(kDefaultPasteDelayMs);
  std::string ParamFlags = kDefaultParamFlags;  // never empty: its first character is the
                                                // paste suffix mode
  bool operator==(const Preferences&) const = default;
};

// Each preference changed on one side only takes that side's text; changed on both,
// this machine's (`conflict` then set).
Preferences MergePreferences(const Preferences& base, const Preferences& mine,
                             const Preferences& theirs, bool& conflict);

// Three lines (a missing line reads as empty; an empty flags line as the default flags).
Preferences ParsePreferences(std::string_view bytes);
// Three lines, each ended by CR LF.
std::string SerializePreferences(const Preferences& preferences);

// The paste suffix mode, the first character of ParamFlags: '0' none, '2' CR LF, any other
// CR LF LF.
enum class PasteSuffixMode { None, CrLf, CrLfLf };
PasteSuffixMode SuffixModeOf(const std::string& flags);
void SetSuffixMode(std::string& flags, PasteSuffixMode mode);

// prefs.qvl: a file that exists but that the last load could not read holds settings this
// run never saw, and is never overwritten.
class PreferencesFile {
 public:
  PreferencesFile(FileSystem& files, std::string path, const CodePage& codePage)
      : files_(files), path_(std::move(path)), codePage_(codePage) {}
  // Throws AppError "Cannot open file <path>".
  Preferences Load();
  // Skipped for a file that exists but was not read by the last Load.
  void Save(const Preferences& preferences);
  // Throws AppError "Cannot create file <path>" when Save would be skipped, so that the
  // settings dialog's "OK" does not seem to have saved.
  void CheckWritable();
  // The file's values as last loaded or saved; nothing while it has not been read.
  const std::optional<Preferences>& Known() const { return known_; }
  void Know(const Preferences& onDisk) { known_ = onDisk; }
  // The file's bytes as another program left them, read as Load reads them; nothing while
  // the file is not whole (another program still writing it). Its encoding is kept from
  // then on.
  std::optional<Preferences> Parse(std::string bytes);
  // The bytes last read or written here.
  bool HoldsKnownBytes(std::string_view bytes) const { return bytes == bytes_; }

 private:
  bool MayWrite();

  FileSystem& files_;
  std::string path_;
  const CodePage& codePage_;
  FileText text_;          // a new file: in the code page when it holds the text
  bool fileRead_ = false;  // the last Load read the file
  std::string bytes_;      // what the file held when last read or written here
  std::optional<Preferences> known_;
};

}  // namespace qv
