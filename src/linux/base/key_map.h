#pragma once
// Windows virtual-key codes, which the program's shortcut texts and slot keys are made of,
// and keysyms (X's and xkbcommon's are the same values): the hot key chosen in Settings becomes
// a keysym to grab, and a key pressed in the list becomes the virtual key the list's handler
// takes.
#include <cstdint>

namespace qv {

using KeySymbol = unsigned long;  // an X KeySym, an xkb_keysym_t

// 0 when the virtual key has no keysym here.
KeySymbol KeysymForVirtualKey(unsigned virtualKey);
// 0 when the keysym is no key the program knows. Letters of either case give 'A'..'Z'; the
// keypad's digits give the keypad's codes (which choose no slot), as on Windows.
unsigned VirtualKeyForKeysym(KeySymbol keysym);

}  // namespace qv
