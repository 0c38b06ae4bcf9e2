#include "win32/services/win32_code_page.h"

#include <windows.h>

#include "library/legacy_code_page.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {

// Newer than the SDK headers MinGW ships.
constexpr LCTYPE kUseUtf8LegacyAcp = 0x666;  // LOCALE_IUSEUTF8LEGACYACP

class Win32LocaleAnswers : public LocaleAnswers {
 public:
  std::optional<unsigned> SystemLegacyCodePage() override { return Number(kUseUtf8LegacyAcp); }
  std::optional<unsigned> SystemAnsiCodePage() override {
    return Number(LOCALE_IDEFAULTANSICODEPAGE);
  }
  std::string UserLanguage() override {
    wchar_t name[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, name, 16) == 0) return "";
    return WideToUtf8(name);
  }

 private:
  static std::optional<unsigned> Number(LCTYPE type) {
    unsigned number = 0;
    if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, type | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPWSTR>(&number), sizeof number / sizeof(WCHAR)) == 0)
      return std::nullopt;
    return number;
  }
};

}  // namespace

Win32CodePage::Win32CodePage() : legacy_(GetACP()), utf8System_(legacy_ == CP_UTF8) {
  if (utf8System_) {
    Win32LocaleAnswers locale;
    legacy_ = LegacyCodePageUnderUtf8(locale);
  }
}

std::string Win32CodePage::ReadInNotice() const {
  return utf8System_ ? OldFilesNotice(legacy_) : "";
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
