#include "library/legacy_code_page.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "library/code_page_tables.h"

namespace qv {

namespace {

// Languages whose Windows code page is not 1252, as Windows' locales give them.
constexpr struct {
  unsigned codePage;
  std::string_view languages;  // space-separated ISO 639 codes
} kCodePages[] = {
    {874, "th"},
    {932, "ja"},
    {936, "zh"},
    {949, "ko"},
    {1250, "bs cs hr hu pl ro sk sl sq"},
    {1251, "ba be bg kk ky mk mn ru sah sr tg tt uk"},
    {1253, "el"},
    {1254, "az tr tk uz"},
    {1255, "he yi"},
    {1256, "ar fa ps sd ug ur"},
    {1257, "et lt lv"},
    {1258, "vi"},
};

bool Answer(std::optional<unsigned> codePage) {
  return codePage && *codePage != 0 && *codePage != kUtf8CodePage;
}

}  // namespace

unsigned CodePageOfLanguage(std::string_view language) {
  if (language.empty()) return kWesternCodePage;
  for (const auto& entry : kCodePages) {
    for (std::size_t at = 0; at < entry.languages.size();) {
      const std::size_t end = std::min(entry.languages.find(' ', at), entry.languages.size());
      if (entry.languages.substr(at, end - at) == language) return entry.codePage;
      at = end + 1;
    }
  }
  return kWesternCodePage;
}

unsigned LegacyCodePageUnderUtf8(LocaleAnswers& locale) {
  if (const auto legacy = locale.SystemLegacyCodePage(); Answer(legacy)) return *legacy;
  if (const auto ansi = locale.SystemAnsiCodePage(); Answer(ansi)) return *ansi;
  return CodePageOfLanguage(locale.UserLanguage());
}

CodePageChoice CodePageOfEnvironment(const std::function<const char*(const char*)>& variable) {
  CodePageChoice choice{kWesternCodePage, kWesternCodePage, false};
  const char* given = variable(kCodePageVariable);
  const std::string_view number = given ? given : "";
  unsigned named = 0;
  if (std::from_chars(number.data(), number.data() + number.size(), named).ec == std::errc{}) {
    choice.wanted = named;
    choice.overridden = true;
  } else {
    std::string_view locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
      const char* value = variable(name);
      if (value && *value) {
        locale = value;
        break;
      }
    }
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    choice.wanted = CodePageOfLanguage(language);
    // Serbian written in Latin letters kept Central Europe's code page.
    if (choice.wanted == 1251 && locale.ends_with("@latin")) choice.wanted = 1250;
  }
  choice.used = HighHalfOf(choice.wanted) ? choice.wanted : kWesternCodePage;
  return choice;
}

CodePageChoice CodePageOfEnvironment() {
  return CodePageOfEnvironment([](const char* name) { return std::getenv(name); });
}

std::string OldFilesNotice(unsigned used) {
  return "Data files without a byte order mark that are not UTF-8 are read in Windows code "
         "page " +
         std::to_string(used) + ".";
}

std::string OldFilesFallbackNotice(unsigned wanted) {
  return "Data files without a byte order mark that are not UTF-8 are read in Windows code "
         "page 1252: code page " +
         std::to_string(wanted) + " cannot be read here. Save them as UTF-8 to keep their text.";
}

}  // namespace qv
