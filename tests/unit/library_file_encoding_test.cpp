// The encodings of the data files: what is read, and what a save writes back.
#include <gtest/gtest.h>

#include "library/file_encoding.h"
#include "test_support.h"

namespace qv::test {
namespace {

const FakeCodePage kCyrillic{1251}, kUtf8System{1252, true};
const std::string kMark = "\xEF\xBB\xBF";

TEST(FileEncoding, FilesComeBackByteForByteAndOnlyALackingCodePageMakesUtf8) {
  const struct {
    const char* name;
    const CodePage& codePage;
    std::optional<std::string> file;  // nothing: a new file
    std::string text;                 // as read
    std::string saved;                // the text then saved
    std::string written;
  } cases[] = {
      {"1252", kWestern,
       "Gr\xFC\xDF"
       "e \x80",
       "Grüße €", "Grüße €",
       "Gr\xFC\xDF"
       "e \x80"},
      {"1252 gains ✓", kWestern,
       "Gr\xFC\xDF"
       "e",
       "Grüße", "Grüße ✓", kMark + "Grüße ✓"},
      {"1251", kCyrillic, "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8", "Привет Ё", "Привет Ё",
       "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8"},
      {"1251 gains 😀", kCyrillic, "\xCF", "П", "П😀", kMark + "П😀"},
      {"mark stays", kWestern, kMark + "Grüße", "Grüße", "Grüße", kMark + "Grüße"},
      {"UTF-8 without a mark", kWestern,
       "Gr\xC3\xBC\xC3\x9F"
       "e",
       "Grüße", "Grüße ✓", "Grüße ✓"},
      {"UTF-16 LE", kWestern,
       std::string("\xFF\xFE"
                   "F\0"
                   "\x16\x04",
                   6),
       "FЖ", "FЖ😀",
       std::string("\xFF\xFE"
                   "F\0"
                   "\x16\x04"
                   "\x3D\xD8\x00\xDE",
                   10)},
      {"UTF-16 BE", kWestern, std::string("\xFE\xFF\0F", 4), "F", "F",
       std::string("\xFE\xFF\0F", 4)},
      {"UTF-8 system, UTF-8 file", kUtf8System, "Grüße ✓", "Grüße ✓", "Grüße ✓😀", "Grüße ✓😀"},
      {"UTF-8 system, 1252 file", kUtf8System, "caf\xE9", "café", "café!", "caf\xE9!"},
      {"UTF-8 system, 1252 file gains ✓", kUtf8System, "caf\xE9", "café", "✓", kMark + "✓"},
      {"new file", kWestern, std::nullopt, "", "café", "caf\xE9"},
      {"new file, UTF-8 system", kUtf8System, std::nullopt, "", "café", "caf\xE9"},
      {"new file lacking", kCyrillic, std::nullopt, "", "café", kMark + "café"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FileText file;
    if (c.file) {
      EXPECT_EQ(file.Decode(*c.file, c.codePage), c.text);
    }
    std::string scratch;
    EXPECT_EQ(file.Encode(c.saved, c.codePage, scratch), c.written);
    EXPECT_EQ(file.Encode(c.text, c.codePage, scratch).starts_with(kMark),
              c.written.starts_with(kMark));  // once UTF-8, stays so
  }
}

// A double-byte code page as Windows reads a torn character: its lone lead byte is U+FFFD,
// which the code page cannot write.
struct TornCharacters : CodePage {
  std::string Decode(std::string_view b) const override {
    return std::string(b.substr(0, b.size() - 1)) + "\uFFFD";
  }
  std::optional<std::string> Encode(std::string_view) const override { return std::nullopt; }
  bool Utf8ByDefault() const override { return false; }
};

TEST(FileEncoding, AFileWithATornCharacterIsWrittenByteForByteUntilItsTextChanges) {
  FileText file;
  std::string scratch;
  EXPECT_EQ(file.Decode("abc\x82", TornCharacters()), "abc\uFFFD");
  EXPECT_EQ(file.Encode("abc\uFFFD", TornCharacters(), scratch), "abc\x82");
  EXPECT_EQ(file.Encode("abcd\uFFFD", TornCharacters(), scratch), kMark + "abcd\uFFFD");
}

}  // namespace
}  // namespace qv::test
