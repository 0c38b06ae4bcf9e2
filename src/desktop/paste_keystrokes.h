#pragma once
// The keys a paste injects. Whatever the user still holds once the wait for the modifiers
// has ended, the target must receive Ctrl+V once: a held Shift would make it Ctrl+Shift+V
// (a different paste in many programs), a held Alt Ctrl+Alt+V (no paste at all).
#include <vector>

namespace qv {

// Virtual-key codes.
inline constexpr unsigned kVkShift = 0x10, kVkControl = 0x11, kVkAlt = 0x12;
inline constexpr unsigned kVkLeftControl = 0xA2, kVkRightControl = 0xA3;
inline constexpr unsigned kVkV = 0x56;
inline constexpr unsigned kVkLeftShift = 0xA0, kVkRightShift = 0xA1;
inline constexpr unsigned kVkLeftAlt = 0xA4, kVkRightAlt = 0xA5;
inline constexpr unsigned kVkLeftWin = 0x5B, kVkRightWin = 0x5C;
// Assigned to no key: tapped while Alt or the Windows key is down, it makes their release
// a chord's end rather than a lone press, which would open the menu bar or Start.
inline constexpr unsigned kVkNeutral = 0xE8;

struct KeyStroke {
  unsigned virtualKey = 0;
  bool up = false;
  bool extended = false;  // right Alt and the Windows keys
  bool operator==(const KeyStroke&) const = default;
};

struct HeldModifiers {
  bool leftShift = false, rightShift = false;
  bool leftAlt = false, rightAlt = false;
  bool leftWin = false, rightWin = false;
};

// Ctrl down, V down, V up, Ctrl up, after releasing each held Shift, Alt and Windows key; a
// held Ctrl is part of the chord and needs nothing. Nothing is pressed again afterwards: a
// key the user let go of meanwhile would stay down.
std::vector<KeyStroke> PasteKeyStrokes(const HeldModifiers& held);

}  // namespace qv
