#include "linux/services/keyboard_layout.h"

#include <X11/Xlib.h>

#include <cctype>

#include "linux/base/key_map.h"

namespace qv {

std::string XKeyboardLayout::KeyName(unsigned virtualKey) const {
  const KeySym keysym = KeysymForVirtualKey(virtualKey);
  const char* name = keysym ? XKeysymToString(keysym) : nullptr;
  return name ? name : "";
}

bool XKeyboardLayout::EqualIgnoringCase(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char p = static_cast<unsigned char>(a[i]), q = static_cast<unsigned char>(b[i]);
    if (p != q && std::tolower(p) != std::tolower(q)) return false;
  }
  return true;
}

}  // namespace qv
