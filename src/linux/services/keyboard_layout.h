#pragma once
// Key names as the X keyboard map calls them; case-blind comparison of ASCII letters.
#include "desktop/shortcut.h"

namespace qv {

class XKeyboardLayout : public KeyboardLayout {
 public:
  std::string KeyName(unsigned virtualKey) const override;
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override;
};

}  // namespace qv
