#pragma once
// Shortcut values (virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt)
// and their text form ("Ctrl+Alt+Down", "F5").
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

using TShortCut = std::uint16_t;
inline constexpr TShortCut kShiftBit = 0x2000;
inline constexpr TShortCut kCtrlBit = 0x4000;
inline constexpr TShortCut kAltBit = 0x8000;

// What the keyboard layout calls keys outside the fixed name table, and how the user's
// locale compares texts without regard to case.
class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // The layout's name for a virtual key (MapVirtualKeyA + GetKeyNameTextA), "" if none.
  virtual std::string KeyName(unsigned virtualKey) const = 0;
  // CompareStringA(user default locale, NORM_IGNORECASE) == CSTR_EQUAL.
  virtual bool EqualIgnoringCase(std::string_view a, std::string_view b) const = 0;
};

// A layout that names no extra keys and compares ASCII letters without case; for tests
// and for places where the real layout does not matter.
const KeyboardLayout& PlainKeyboardLayout();

std::string FormatShortcut(TShortCut value, const KeyboardLayout& layout);
TShortCut ParseShortcut(std::string_view text, const KeyboardLayout& layout);

}  // namespace qv
