#include "library/preferences.h"

#include <vector>

#include "base/app_error.h"
#include "base/utf8_text.h"
#include "library/data_files.h"
#include "library/whole_file.h"

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
  bytes_ = ReadDataFile(files_, path_);
  Preferences preferences = ParsePreferences(text_.Decode(bytes_, codePage_));
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
  const std::string text = SerializePreferences(preferences);
  const std::string_view bytes = text_.Encode(text, codePage_, scratch);
  // The bytes last read or written: the file is not touched (another program may hold it),
  // unless it is gone.
  if (!fileRead_ || bytes != bytes_ || files_.Missing(path_)) {
    SaveDataFile(files_, path_, bytes);
    bytes_ = bytes;
    fileRead_ = true;
  }
  known_ = ParsePreferences(SerializePreferences(preferences));
}

std::optional<Preferences> PreferencesFile::Parse(std::string bytes) {
  const FileText was = text_;
  std::string text = text_.Decode(bytes, codePage_);
  if (!IsWholePreferencesFile(text)) {
    text_ = was;
    return std::nullopt;
  }
  bytes_ = std::move(bytes);
  return ParsePreferences(text);
}

void PreferencesFile::CheckWritable() {
  if (!MayWrite()) throw AppError("Cannot create file " + path_);
}

}  // namespace qv
