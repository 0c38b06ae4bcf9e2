#include "win32/services/keyboard_layout.h"

#include <windows.h>

namespace qv {

std::string Win32KeyboardLayout::KeyName(unsigned virtualKey) const {
  const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};  // no physical key, so no name
  char buffer[256] = {};
  const int length =
      GetKeyNameTextA(static_cast<LONG>(scanCode << 16), buffer, static_cast<int>(sizeof buffer));
  return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

bool Win32KeyboardLayout::EqualIgnoringCase(std::string_view a, std::string_view b) const {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace qv
