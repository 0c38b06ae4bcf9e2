#pragma once
// What the program asks of the keyboard's state (is Ctrl held at start-up, has the user let
// go of the modifiers before a paste), read from the 256 keys the same way on every
// platform.
#include "desktop/desktop_services.h"
#include "desktop/paste_keystrokes.h"

namespace qv {

// Shift, Ctrl or Alt is held down.
bool ModifierKeysHeld(KeyState& keys);
// Which Shift, Alt and Windows keys are held, left and right apart.
HeldModifiers HeldModifierKeys(KeyState& keys);
bool CtrlHeld(KeyState& keys);

}  // namespace qv
