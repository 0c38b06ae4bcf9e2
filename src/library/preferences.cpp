#include "library/preferences.h"

#include <vector>

#include "base/app_error.h"
#include "base/utf8_text.h"
#include "library/data_files.h"

namespace qv {

namespace {

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

}  // namespace

Preferences MergePreferences(const Preferences& base, const Preferences& mine,
                             const Preferences& theirs, bool& conflict) {
  Preferences merged = mine;
  conflict = false;
  const auto merge = [&](const std::string& was, std::string& ours, const std::string& other) {
    if (other == was || other == ours) return;
    if (ours != was)
      conflict = true;
    else
      ours = other;
  };
  merge(base.hotKey, merged.hotKey, theirs.hotKey);
  merge(base.pasteDelay, merged.pasteDelay, theirs.pasteDelay);
  merge(base.ParamFlags, merged.ParamFlags, theirs.ParamFlags);
  return merged;
}

Preferences ParsePreferences(std::string_view bytes) {
  const std::vector<std::string> lines = SplitFileLines(bytes);
  Preferences preferences{LineOrEmpty(lines, 0), LineOrEmpty(lines, 1), LineOrEmpty(lines, 2)};
  if (preferences.ParamFlags.empty()) preferences.ParamFlags = kDefaultParamFlags;
  return preferences;
}

std::string SerializePreferences(const Preferences& preferences) {
  return preferences.hotKey + "\r\n" + preferences.pasteDelay + "\r\n" + preferences.ParamFlags +
         "\r\n";
}

PasteSuffixMode SuffixModeOf(const std::string& flags) {
  if (flags.empty() || flags[0] == '0') return PasteSuffixMode::None;
  return flags[0] == '2' ? PasteSuffixMode::CrLf : PasteSuffixMode::CrLfLf;
}

void SetSuffixMode(std::string& flags, PasteSuffixMode mode) {
  if (flags.empty()) flags = kDefaultParamFlags;
  // The whole first character, which a hand-edited file may have made a letter of any script.
  flags.replace(0, CharacterPrefix(flags, 1), 1,
                mode == PasteSuffixMode::None   ? '0'
                : mode == PasteSuffixMode::CrLf ? '2'
                                                : '3');
}

Preferences PreferencesFile::Load() {
  fileRead_ = false;
  Preferences preferences = ParsePreferences(text_.Decode(ReadDataFile(files_, path_), codePage_));
  fileRead_ = true;
  known_ = preferences;
  return preferences;
}

bool PreferencesFile::MayWrite() {
  return fileRead_ || files_.Missing(path_);
}

void PreferencesFile::Save(const Preferences& preferences) {
  if (!MayWrite()) return;
  std::string scratch;
  SaveDataFile(files_, path_, text_.Encode(SerializePreferences(preferences), codePage_, scratch));
  known_ = ParsePreferences(SerializePreferences(preferences));
}

void PreferencesFile::CheckWritable() {
  if (!MayWrite()) throw AppError("Cannot create file " + path_);
}

}  // namespace qv
