#include "library/paste_delay.h"

#include <algorithm>
#include <limits>

#include "base/app_error.h"

namespace qv {

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

DelayReading CorrectDelayText(std::string& text) {
  try {
    return {StrToInt(text), {}};
  } catch (const AppError& error) {
    text = std::to_string(kDefaultPasteDelayMs);
    return {kDefaultPasteDelayMs, error.what()};
  }
}

std::string DelayBoundsRefusal(std::string_view text) {
  std::int32_t milliseconds = 0;
  try {
    milliseconds = StrToInt(text);
  } catch (const AppError&) {
    return {};
  }
  if (milliseconds >= 0 && milliseconds <= kMaxPasteDelayMs) return {};
  return "The paste delay must be from 0 to " + std::to_string(kMaxPasteDelayMs) + " ms (" +
         std::to_string(kMaxPasteDelayMs / 1000) + " seconds), not " +
         std::to_string(milliseconds) +
         " ms.\r\nChoose a delay from the list, or type one within these bounds";
}

std::string DelayBeyondBoundsNotice(std::int32_t milliseconds) {
  const std::int32_t bounded = BoundedPasteDelay(milliseconds);
  if (bounded == milliseconds) return {};
  return "The paste delay in prefs.qvl is " + std::to_string(milliseconds) +
         " ms, but a paste waits from 0 to " + std::to_string(kMaxPasteDelayMs) + " ms; it waits " +
         std::to_string(bounded) + " ms. Choose a delay in Settings to keep this one.";
}

std::int32_t BoundedPasteDelay(std::int32_t milliseconds) {
  return std::clamp<std::int32_t>(milliseconds, 0, kMaxPasteDelayMs);
}

}  // namespace qv
