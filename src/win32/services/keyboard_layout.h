#pragma once
// Key names and case-insensitive comparison as the user's keyboard layout and locale give them.
#include "desktop/shortcut.h"

namespace qv {

class Win32KeyboardLayout : public KeyboardLayout {
 public:
  std::string KeyName(unsigned virtualKey) const override;
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override;
};

}  // namespace qv
