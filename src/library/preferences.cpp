#include "library/preferences.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "base/app_error.h"
#include "library/data_files.h"

namespace qv {

namespace {

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

}  // namespace

Preferences MergePreferences(const Preferences& base, const Preferences& mine,
                             const Preferences& theirs, bool& conflict) {
  Preferences merged = mine;
  conflict = false;
  const auto merge = [&](const std::string& was, std::string& ours, const std::string& other) {
    if (other == was || other == ours) return;
    if (ours != was) conflict = true;
    else ours = other;
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
  flags[0] = mode == PasteSuffixMode::None ? '0' : mode == PasteSuffixMode::CrLf ? '2' : '3';
}

std::int32_t StrToInt(std::string_view text) {
  const auto invalid = [text] {
    return AppError("'" + std::string(text) + "' is not a valid integer value");
  };
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == text.size()) throw invalid();

  // The magnitude may reach 2^31 only for a negative value.
  const std::int64_t limit =
      std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) throw invalid();
    magnitude = magnitude * base + digit;
    if (magnitude > limit) throw invalid();
  }
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t AcceptDelayText(std::string& delayText) {
  try {
    return StrToInt(delayText);
  } catch (const AppError&) {
    delayText = std::to_string(kDefaultPasteDelayMs);
    throw;
  }
}

Preferences PreferencesFile::Load() {
  fileRead_ = false;
  Preferences preferences = ParsePreferences(ReadDataFile(files_, path_));
  fileRead_ = true;
  known_ = preferences;
  return preferences;
}

bool PreferencesFile::MayWrite() {
  return fileRead_ || files_.Missing(path_);
}

void PreferencesFile::Save(const Preferences& preferences) {
  if (!MayWrite()) return;
  SaveDataFile(files_, path_, SerializePreferences(preferences));
  known_ = ParsePreferences(SerializePreferences(preferences));
}

void PreferencesFile::CheckWritable() {
  if (!MayWrite()) throw AppError("Cannot create file " + path_);
}

}  // namespace qv
