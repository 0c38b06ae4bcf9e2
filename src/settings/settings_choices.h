#pragma once
// The hot keys the settings dialog's box offers (the delays are the paste delay's own, in
// library/paste_delay.h). Any other text may still be typed.
#include <array>

namespace qv {

// Shortcut texts; the box shows the key in effect back in its own form (Shift first).
// clang-format off
inline constexpr std::array<const char*, 16> kHotKeyChoices{
    "Ctrl+Alt+Down", "Ctrl+Shift+Down", "Ctrl+Shift+Up", "Ctrl+Shift+Left", "Ctrl+Shift+Right",
    "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
// clang-format on

}  // namespace qv
