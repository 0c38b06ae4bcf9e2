#include "win32/services/keyboard_layout.h"

#include <windows.h>

#include "win32/base/wide_text.h"

namespace qv {

std::string Win32KeyboardLayout::KeyName(unsigned virtualKey) const {
  const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  if (scanCode == 0) return {};  // no physical key, so no name
  wchar_t buffer[256] = {};
  const int length = GetKeyNameTextW(static_cast<LONG>(scanCode << 16), buffer,
                                     static_cast<int>(sizeof buffer / sizeof *buffer));
  return length > 0 ? WideToUtf8(std::wstring_view(buffer, static_cast<std::size_t>(length)))
                    : std::string();
}

bool Win32KeyboardLayout::EqualIgnoringCase(std::string_view a, std::string_view b) const {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  const std::wstring wideA = Utf8ToWide(a), wideB = Utf8ToWide(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                        static_cast<int>(wideA.size()), wideB.data(),
                        static_cast<int>(wideB.size())) == CSTR_EQUAL;
}

}  // namespace qv
