#pragma once
// The keyboard as it is now: which of the 256 virtual keys are down. What the program asks of
// it (is Ctrl held at start-up, has the user let go of the modifiers before a paste) is read
// from that state here, the same on every platform.
#include "desktop/paste_keystrokes.h"

namespace qv {

class KeyState {
 public:
  virtual ~KeyState() = default;
  // The virtual key (0..255) is down now, input that has just arrived included. The generic
  // Shift, Ctrl and Alt keys are down while either side's key is.
  virtual bool KeyDown(unsigned virtualKey) = 0;
};

// Shift, Ctrl or Alt is held down.
bool ModifierKeysHeld(KeyState& keys);
// Which Shift, Alt and Windows keys are held, left and right apart.
HeldModifiers HeldModifierKeys(KeyState& keys);
bool CtrlHeld(KeyState& keys);

}  // namespace qv
