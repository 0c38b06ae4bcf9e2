#include "library/preferences.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "app/app_error.h"
#include "library/data_files.h"

namespace qv {

namespace {

constexpr const char* kDefaultParamFlags = "0000000000";

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

// File -> boxes, ParamFlags, suffix buttons. Nothing is applied here.
void LoadPreferences(PreferenceTargets& t) {
  const std::vector<std::string> lines = SplitFileLines(ReadDataFile(t.files, t.prefsPath));
  t.boxes.hotKeyText = LineOrEmpty(lines, 0);
  t.boxes.delayText = LineOrEmpty(lines, 1);
  t.paramFlags = LineOrEmpty(lines, 2);
  // The suffix mode is the first character, so there must be one.
  if (t.paramFlags.empty()) t.paramFlags = kDefaultParamFlags;
  switch (t.paramFlags[0]) {
    case '0':
      break;  // the buttons stay as they are
    case '2':
      t.popup.crlfDown = true;
      t.popup.crlfLfDown = false;
      break;
    default:
      t.popup.crlfLfDown = true;
      t.popup.crlfDown = false;
      break;
  }
}

// Boxes -> hot key and delay; suffix buttons -> ParamFlags.
void ApplyPreferences(PreferenceTargets& t) {
  t.hotKey.SetKey(ParseShortcut(t.boxes.hotKeyText, t.layout));
  t.pasteDelayMs = AcceptDelayText(t.boxes, t.pasteDelayMs);
  if (t.paramFlags.empty()) t.paramFlags = kDefaultParamFlags;
  t.paramFlags[0] = '0';
  if (t.popup.crlfLfDown) t.paramFlags[0] = '3';
  if (t.popup.crlfDown) t.paramFlags[0] = '2';
}

// Boxes and ParamFlags -> file, three lines each ended by CR LF.
void SavePreferences(PreferenceTargets& t) {
  const std::string bytes =
      t.boxes.hotKeyText + "\r\n" + t.boxes.delayText + "\r\n" + t.paramFlags + "\r\n";
  SaveDataFile(t.files, t.prefsPath, bytes);
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

void InitializeParameters(std::string_view mode, PreferenceTargets& targets) {
  if (mode == "PgmStart") LoadPreferences(targets);
  if (mode == "PgmUpdate") ApplyPreferences(targets);
  if (mode == "ParmUpdate") SavePreferences(targets);
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

std::int32_t AcceptDelayText(SettingsControls& boxes, std::int32_t delayInEffect) {
  try {
    return StrToInt(boxes.delayText);
  } catch (const AppError&) {
    boxes.delayText = std::to_string(delayInEffect);
    throw;
  }
}

}  // namespace qv
