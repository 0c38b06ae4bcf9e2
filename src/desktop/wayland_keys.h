#pragma once
// The program's keys in the words Wayland desktops take: a shortcut as the trigger text of the
// freedesktop shortcuts convention ("CTRL+ALT+Down", "F5"), a key as its evdev code.
#include <optional>
#include <string>

#include "desktop/shortcut.h"

namespace qv {

// "" when the key has no name that means the same key on every layout (punctuation keys):
// the desktop then lets the user choose.
std::string PortalTrigger(TShortCut shortcut);

// The evdev code of a virtual key a paste sends; none for keys that have no Linux key (the
// neutral key Windows needs after Alt).
std::optional<unsigned> EvdevKeyCode(unsigned virtualKey);

}  // namespace qv
