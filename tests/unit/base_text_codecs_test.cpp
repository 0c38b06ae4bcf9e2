// Text at the edges: which code page old files are read in on each platform, the code pages'
// round trip, text for a platform that takes only UTF-8 or Latin-1, and slot keys by position.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/utf8_text.h"
#include "desktop/key_position.h"
#include "library/legacy_code_page.h"
#include "library/single_byte_code_page.h"

namespace qv {
namespace {

TEST(CodePageChoiceTest, LinuxReadsOldFilesInTheLanguagesWindowsCodePage) {
  const struct {
    std::map<std::string, std::string> environment;
    unsigned wanted, used;
  } cases[] = {
      {{{"LANG", "ru_RU.UTF-8"}}, 1251, 1251},
      {{{"LANG", "pl_PL.UTF-8"}}, 1250, 1250},
      {{{"LANG", "el_GR.UTF-8"}}, 1253, 1253},
      {{{"LANG", "tr_TR"}}, 1254, 1254},
      {{{"LANG", "he_IL.UTF-8"}}, 1255, 1255},
      {{{"LANG", "ar_EG.UTF-8"}}, 1256, 1256},
      {{{"LANG", "lt_LT.UTF-8"}}, 1257, 1257},
      {{{"LANG", "vi_VN"}}, 1258, 1258},
      {{{"LANG", "th_TH.UTF-8"}}, 874, 874},
      {{{"LANG", "de_DE.UTF-8"}}, 1252, 1252},
      {{{"LANG", "sr_RS@latin"}}, 1250, 1250},
      {{{"LANG", "C.UTF-8"}}, 1252, 1252},
      {{}, 1252, 1252},
      {{{"LANG", "ja_JP.UTF-8"}}, 932, 1252},  // no table here: told
      {{{"LANG", "de_DE.UTF-8"}, {"LC_CTYPE", "uk_UA.UTF-8"}}, 1251, 1251},
      {{{"LC_ALL", "cs_CZ.UTF-8"}, {"LC_CTYPE", "uk_UA.UTF-8"}}, 1250, 1250},
      {{{"LANG", "de_DE.UTF-8"}, {"QUORVANEL_CODE_PAGE", "1251"}}, 1251, 1251},
  };
  for (const auto& c : cases) {
    const CodePageChoice choice = CodePageOfEnvironment([&](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    });
    EXPECT_EQ(std::pair(choice.wanted, choice.used), std::pair(c.wanted, c.used))
        << (c.environment.empty() ? "" : c.environment.begin()->second);
  }
}

class FakeLocale : public LocaleAnswers {
 public:
  FakeLocale(std::optional<unsigned> legacy, std::optional<unsigned> ansi, std::string language)
      : legacy_(legacy), ansi_(ansi), language_(std::move(language)) {}
  std::optional<unsigned> SystemLegacyCodePage() override { return legacy_; }
  std::optional<unsigned> SystemAnsiCodePage() override { return ansi_; }
  std::string UserLanguage() override { return language_; }

 private:
  std::optional<unsigned> legacy_, ansi_;
  std::string language_;
};

// With "Use Unicode UTF-8" on, the user locale's ANSI code page answers 65001.
TEST(CodePageChoiceTest, WindowsWithUtf8OnAsksTheSystemLocaleThenTheLanguage) {
  const struct {
    FakeLocale locale;
    unsigned expected;
  } cases[] = {
      {{1251, 65001, "en"}, 1251},         // the legacy page kept for UTF-8
      {{std::nullopt, 1250, "ru"}, 1250},  // older Windows: the system locale's
      {{0, 65001, "el"}, 1253},            // neither answers: the language's
      {{std::nullopt, std::nullopt, "fr"}, 1252},
  };
  for (auto c : cases) EXPECT_EQ(LegacyCodePageUnderUtf8(c.locale), c.expected);
}

TEST(SingleByteCodePageTest, BytesComeBackAsTheyWere) {
  const SingleByteCodePage cyrillic({1251, 1251, false}, true);
  EXPECT_EQ(cyrillic.Decode("\xC0\xE1\xB9"), "\xD0\x90\xD0\xB1\xE2\x84\x96");  // "Аб№"
  std::string all;
  for (int byte = 0; byte < 256; ++byte) all += static_cast<char>(byte);
  EXPECT_EQ(cyrillic.Encode(cyrillic.Decode(all)), all);  // 0x98, which 1251 lacks, too
  EXPECT_EQ(cyrillic.Encode("\xC3\xA9"), std::nullopt);   // e-acute is not in 1251
  EXPECT_EQ(SingleByteCodePage({932, 1252, false}, true).ReadInNotice().empty(), false);
}

// What xclip -t STRING and the list's text show.
TEST(TextCodecTest, Latin1ForStringAndValidUtf8ForDrawing) {
  const struct {
    std::string text, latin1, drawn;
  } cases[] = {
      {"plain\r\n", "plain\r\n", "plain\r\n"},
      {"caf\xC3\xA9", "caf\xE9", "caf\xC3\xA9"},
      {"\xD0\x94!", "?!", "\xD0\x94!"},  // Cyrillic: not in Latin-1
      {"a\xC3", "a?", "a\xEF\xBF\xBD"},  // a cut sequence
      {std::string("a\0b", 3), std::string("a\0b", 3),
       "a\xEF\xBF\xBD"
       "b"},  // NUL ends a C text
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Latin1Text(c.text), c.latin1) << c.text;
    EXPECT_EQ(DisplayableUtf8(c.text), c.drawn) << c.text;
  }
}

TEST(KeyPositionTest, LettersAndDigitsWhereAUsKeyboardHasThem) {
  const std::pair<const char*, unsigned> cases[] = {{"AB03", 'C'}, {"AE10", '0'}, {"AD01", 'Q'},
                                                    {"AC09", 'L'}, {"AB08", 0},   {"AE11", 0},
                                                    {"FK05", 0},   {"AB0", 0}};
  for (const auto& [name, vk] : cases) EXPECT_EQ(VirtualKeyOfPosition(name), vk) << name;
}

}  // namespace
}  // namespace qv
