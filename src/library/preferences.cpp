#include "library/preferences.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "desktop/app_error.h"
#include "library/data_files.h"

namespace qv {

namespace {

constexpr const char* kDefaultParamFlags = "0000000000";

std::string LineOrEmpty(const std::vector<std::string>& lines, std::size_t index) {
  return index < lines.size() ? lines[index] : std::string();
}

}  // namespace

// File -> boxes, ParamFlags, suffix buttons. Nothing is applied here.
void Preferences::Load() {
  fileRead_ = false;
  const std::vector<std::string> lines = SplitFileLines(ReadDataFile(files_, path_));
  fileRead_ = true;
  controls_.hotKeyBox.SetText(LineOrEmpty(lines, 0));
  controls_.delayBox.SetText(LineOrEmpty(lines, 1));
  std::string& flags = state_.ParamFlags;
  flags = LineOrEmpty(lines, 2);
  // The suffix mode is the first character, so there must be one.
  if (flags.empty()) flags = kDefaultParamFlags;
  switch (flags[0]) {
    case '0':
      break;  // the buttons stay as they are
    case '2':
      controls_.crlf.SetDown(true);
      controls_.crlfLf.SetDown(false);
      break;
    default:
      controls_.crlfLf.SetDown(true);
      controls_.crlf.SetDown(false);
      break;
  }
}

// Boxes -> hot key and delay; suffix buttons -> ParamFlags.
void Preferences::Apply() {
  hotKey_.SetKey(ParseShortcut(controls_.hotKeyBox.Text(), layout_));
  try {
    state_.PasteDelayMs = AcceptDelayText(controls_.delayBox);
  } catch (const AppError&) {
    // The box now shows the default; the delay in effect follows it rather than keeping
    // the 0 of start-up, which would paste before the target has the focus.
    state_.PasteDelayMs = kDefaultPasteDelayMs;
    throw;
  }
  std::string& flags = state_.ParamFlags;
  if (flags.empty()) flags = kDefaultParamFlags;
  flags[0] = '0';
  if (controls_.crlfLf.Down()) flags[0] = '3';
  if (controls_.crlf.Down()) flags[0] = '2';
}

// Boxes and ParamFlags -> file, three lines each ended by CR LF.
void Preferences::Save() {
  // A file that exists but could not be read holds settings this run never saw: it stays
  // as it is. Only a file that was read, or none at all, is written.
  if (!fileRead_ && !files_.Missing(path_)) return;
  const std::string bytes = controls_.hotKeyBox.Text() + "\r\n" + controls_.delayBox.Text() +
                            "\r\n" + state_.ParamFlags + "\r\n";
  SaveDataFile(files_, path_, bytes);
}

void Preferences::CheckWritable() {
  if (!fileRead_ && !files_.Missing(path_)) throw AppError("Cannot create file " + path_);
}

void Preferences::InitializeParameters(std::string_view mode) {
  if (mode == "PgmStart") Load();
  if (mode == "PgmUpdate") Apply();
  if (mode == "ParmUpdate") Save();
}

namespace {

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

std::int32_t AcceptDelayText(TextControl& delayBox) {
  try {
    return StrToInt(delayBox.Text());
  } catch (const AppError&) {
    delayBox.SetText(std::to_string(kDefaultPasteDelayMs));
    throw;
  }
}

}  // namespace qv
