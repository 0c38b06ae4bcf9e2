#include "desktop/held_keys.h"

namespace qv {

bool ModifierKeysHeld(KeyState& keys) {
  return keys.KeyDown(kVkShift) || keys.KeyDown(kVkControl) || keys.KeyDown(kVkAlt);
}

HeldModifiers HeldModifierKeys(KeyState& keys) {
  return {.leftShift = keys.KeyDown(kVkLeftShift),
          .rightShift = keys.KeyDown(kVkRightShift),
          .leftAlt = keys.KeyDown(kVkLeftAlt),
          .rightAlt = keys.KeyDown(kVkRightAlt),
          .leftWin = keys.KeyDown(kVkLeftWin),
          .rightWin = keys.KeyDown(kVkRightWin)};
}

bool CtrlHeld(KeyState& keys) {
  return keys.KeyDown(kVkControl);
}

}  // namespace qv
