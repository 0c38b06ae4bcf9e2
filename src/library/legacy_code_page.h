#pragma once
// Which Windows code page data files without a byte order mark were written in: the one the
// Windows program used for the user's language before UTF-8.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

inline constexpr unsigned kWesternCodePage = 1252;
inline constexpr unsigned kUtf8CodePage = 65001;
// Names the code page old files are read in, overriding the one of the locale (Linux).
inline constexpr const char* kCodePageVariable = "QUORVANEL_CODE_PAGE";

// `language` as ISO 639 names it ("ru", "pl"); 1252 for one written in it, or unknown.
unsigned CodePageOfLanguage(std::string_view language);

// What Windows tells of its locales; nothing where it has no answer (an older Windows).
class LocaleAnswers {
 public:
  virtual ~LocaleAnswers() = default;
  // The system locale's LOCALE_IUSEUTF8LEGACYACP: kept for old files when UTF-8 is on.
  virtual std::optional<unsigned> SystemLegacyCodePage() = 0;
  // The system locale's LOCALE_IDEFAULTANSICODEPAGE.
  virtual std::optional<unsigned> SystemAnsiCodePage() = 0;
  virtual std::string UserLanguage() = 0;  // LOCALE_SISO639LANGNAME
};

// With Windows' "Use Unicode UTF-8" option on (the ANSI code page is UTF-8): the code page
// the same machine wrote old files in.
unsigned LegacyCodePageUnderUtf8(LocaleAnswers& locale);

struct CodePageChoice {
  unsigned wanted;  // the language's, or the one the variable names
  unsigned used;    // `wanted` when this program has its table, else 1252
  bool overridden;
};
// On Linux: from kCodePageVariable, else LC_ALL, LC_CTYPE, LANG as POSIX reads them
// ("ru_RU.UTF-8", "sr_RS@latin"); `variable` gives an environment variable, null when unset.
CodePageChoice CodePageOfEnvironment(const std::function<const char*(const char*)>& variable);
CodePageChoice CodePageOfEnvironment();  // the process's own

// Told once, the first time an old file is read: which code page it was read in.
std::string OldFilesNotice(unsigned used);
// Likewise where the wanted code page has no table here.
std::string OldFilesFallbackNotice(unsigned wanted);

}  // namespace qv
