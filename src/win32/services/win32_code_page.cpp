#include "win32/services/win32_code_page.h"

#include <windows.h>

#include "win32/base/wide_text.h"

namespace qv {

namespace {

constexpr unsigned kWesternCodePage = 1252;

// The code page the user's locale had before UTF-8: what files written then are in.
unsigned LegacyCodePageOfLocale() {
  unsigned codePage = 0;
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&codePage), sizeof codePage / sizeof(WCHAR)) == 0 ||
      codePage == 0 || codePage == CP_UTF8)
    return kWesternCodePage;
  return codePage;
}

}  // namespace

Win32CodePage::Win32CodePage() : legacy_(GetACP()), utf8System_(legacy_ == CP_UTF8) {
  if (utf8System_) legacy_ = LegacyCodePageOfLocale();
}

std::string Win32CodePage::Decode(std::string_view bytes) const {
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(legacy_, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  MultiByteToWideChar(legacy_, 0, bytes.data(), size, wide.data(), length);
  return WideToUtf8(wide);
}

std::optional<std::string> Win32CodePage::Encode(std::string_view text) const {
  const std::wstring wide = Utf8ToWide(text);
  const int size = static_cast<int>(wide.size());
  BOOL lacking = FALSE;
  const int length = WideCharToMultiByte(legacy_, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                         0, nullptr, &lacking);
  if (lacking) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  WideCharToMultiByte(legacy_, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length,
                      nullptr, &lacking);
  if (lacking) return std::nullopt;
  return bytes;
}

}  // namespace qv
