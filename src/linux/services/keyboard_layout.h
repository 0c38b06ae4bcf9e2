#pragma once
// Key names as the keyboard maps call them (xkbcommon's names, which are X's); case-blind
// comparison of ASCII letters.
#include "desktop/shortcut.h"

namespace qv {

class KeysymKeyboardLayout : public KeyboardLayout {
 public:
  std::string KeyName(unsigned virtualKey) const override;
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override;
};

}  // namespace qv
