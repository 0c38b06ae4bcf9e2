#pragma once
// The paste delay's numbers and its one rule: what the settings offer, what a paste waits at
// most, and what a delay text that is no integer becomes.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The delay the program ships with, and the one a delay text that is no integer becomes.
inline constexpr std::int32_t kDefaultPasteDelayMs = 100;
// The settings' choices, in milliseconds; any other integer may still be typed.
inline constexpr std::array<const char*, 9> kPasteDelayChoices{
    "50", "100", "250", "500", "1000", "2000", "3000", "4000", "5000"};
// The longest a paste waits, the largest choice: a negative or absurd delay must not block
// for ever.
inline constexpr std::int32_t kMaxPasteDelayMs = 5000;

// A 32-bit integer: optional leading blanks, optional sign, decimal digits, or hex digits
// after "$" or "0x". Throws AppError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// A delay text read by the rule: an integer (StrToInt's forms) is the delay; any other text
// becomes the default delay, and `error` says why ("'<text>' is not a valid integer value").
struct DelayReading {
  std::int32_t milliseconds = kDefaultPasteDelayMs;
  std::string error;  // empty for an integer
};
// Reads `text` and corrects it to the default when it is no integer.
DelayReading CorrectDelayText(std::string& text);

// A typed integer delay outside 0 to kMaxPasteDelayMs, which the settings dialog refuses
// rather than let a paste cut it unseen: the refusal's text, telling the bounds. Empty for a
// delay within them, and for a text that is no integer (CorrectDelayText tells that).
std::string DelayBoundsRefusal(std::string_view text);

// A delay in effect beyond the bounds (it came with the preferences file; the settings refuse
// one): what the user is told at start, as a paste waits BoundedPasteDelay. Empty within.
std::string DelayBeyondBoundsNotice(std::int32_t milliseconds);

// The wait a paste uses for a delay in effect: 0 to kMaxPasteDelayMs.
std::int32_t BoundedPasteDelay(std::int32_t milliseconds);

}  // namespace qv
