#include "linux/services/keyboard_layout.h"

#include <xkbcommon/xkbcommon.h>

#include <cctype>

#include "linux/base/key_map.h"

namespace qv {

std::string KeysymKeyboardLayout::KeyName(unsigned virtualKey) const {
  const KeySymbol keysym = KeysymForVirtualKey(virtualKey);
  char name[64];
  if (!keysym || xkb_keysym_get_name(static_cast<xkb_keysym_t>(keysym), name, sizeof name) <= 0)
    return "";
  return name;
}

bool KeysymKeyboardLayout::EqualIgnoringCase(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char p = static_cast<unsigned char>(a[i]), q = static_cast<unsigned char>(b[i]);
    if (p != q && std::tolower(p) != std::tolower(q)) return false;
  }
  return true;
}

}  // namespace qv
