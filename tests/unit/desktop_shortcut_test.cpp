#include <gtest/gtest.h>

#include <map>
#include <string>

#include "desktop/shortcut.h"
#include "settings/settings_choices.h"

namespace qv {
namespace {

// A layout with a few names of its own; only one-character names count.
class NamingLayout : public KeyboardLayout {
 public:
  std::map<unsigned, std::string> names;
  std::string KeyName(unsigned vk) const override {
    auto it = names.find(vk);
    return it == names.end() ? std::string() : it->second;
  }
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override {
    return PlainKeyboardLayout().EqualIgnoringCase(a, b);
  }
};

const KeyboardLayout& plain = PlainKeyboardLayout();

TShortCut Parse(std::string_view text) {
  return ParseShortcut(text, plain);
}
std::string Format(TShortCut value) {
  return FormatShortcut(value, plain);
}

TEST(FormatShortcut, NamesEveryFixedKey) {
  const std::map<TShortCut, std::string> expected{
      {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
      {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
      {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
      {0x30, "0"},    {0x39, "9"},     {0x41, "A"},     {0x5A, "Z"},    {0x60, "0"},
      {0x65, "5"},    {0x69, "9"},     {0x70, "F1"},    {0x7B, "F12"},  {0x87, "F24"}};
  for (const auto& [code, name] : expected) EXPECT_EQ(Format(code), name) << code;
}

TEST(FormatShortcut, PutsModifiersInShiftCtrlAltOrder) {
  EXPECT_EQ(Format(0xE028), "Shift+Ctrl+Alt+Down");
  EXPECT_EQ(Format(0xA041), "Shift+Alt+A");
  EXPECT_EQ(Format(0x4074), "Ctrl+F5");
}

TEST(FormatShortcut, KeyWithoutNameGivesEmptyTextWhateverTheModifiers) {
  EXPECT_EQ(Format(0), "");
  EXPECT_EQ(Format(0xE000), "");
  EXPECT_EQ(Format(0x0A), "");
  EXPECT_EQ(Format(0x88), "");  // past F24
  EXPECT_EQ(Format(0x6014), "");
}

TEST(FormatShortcut, IgnoresBitsEightToTwelve) {
  EXPECT_EQ(Format(0x174), "F5");
  EXPECT_EQ(Format(0x1F00 | 0x41), "A");
  EXPECT_EQ(Format(0x4000 | 0x100 | 0x28), "Ctrl+Down");
}

TEST(FormatShortcut, TakesOnlyOneCharacterNamesFromTheLayout) {
  NamingLayout layout;
  layout.names = {{0xBA, ";"}, {0x14, "Caps Lock"}, {0xBB, ""}};
  EXPECT_EQ(FormatShortcut(0xBA, layout), ";");
  EXPECT_EQ(FormatShortcut(0x40BA, layout), "Ctrl+;");
  EXPECT_EQ(FormatShortcut(0x14, layout), "");
  EXPECT_EQ(FormatShortcut(0xBB, layout), "");
  EXPECT_EQ(ParseShortcut("Ctrl+;", layout), 0x40BA);
  EXPECT_EQ(ParseShortcut("Caps Lock", layout), 0);
}

TEST(FormatShortcut, LayoutNamesCannotReplaceFixedNames) {
  NamingLayout layout;
  layout.names = {{0x41, "Q"}, {0x70, "x"}};
  EXPECT_EQ(FormatShortcut(0x41, layout), "A");
  EXPECT_EQ(FormatShortcut(0x70, layout), "F1");
}

TEST(ParseShortcut, OfferedChoicesComeBackWithShiftFirst) {
  const std::map<std::string, std::pair<TShortCut, std::string>> expected{
      {"Ctrl+Alt+Down", {0xC028, "Ctrl+Alt+Down"}},
      {"Ctrl+Shift+Down", {0x6028, "Shift+Ctrl+Down"}},
      {"Ctrl+Shift+Up", {0x6026, "Shift+Ctrl+Up"}},
      {"Ctrl+Shift+Left", {0x6025, "Shift+Ctrl+Left"}},
      {"Ctrl+Shift+Right", {0x6027, "Shift+Ctrl+Right"}}};
  for (const char* choice : kHotKeyChoices) {
    const TShortCut value = Parse(choice);
    auto it = expected.find(choice);
    if (it != expected.end()) {
      EXPECT_EQ(value, it->second.first) << choice;
      EXPECT_EQ(Format(value), it->second.second) << choice;
    } else {  // "F2" ... "F12"
      EXPECT_EQ(value, 0x6F + std::stoi(std::string(choice).substr(1))) << choice;
      EXPECT_EQ(Format(value), choice);
    }
    EXPECT_EQ(Parse(Format(value)), value) << choice;  // the form shown back is stable
  }
}

TEST(ParseShortcut, IgnoresLetterCase) {
  EXPECT_EQ(Parse("ctrl+alt+down"), 0xC028);
  EXPECT_EQ(Parse("SHIFT+CTRL+UP"), 0x6026);
  EXPECT_EQ(Parse("f5"), 0x74);
  EXPECT_EQ(Parse("bksp"), 0x08);
  EXPECT_EQ(Parse("q"), 0x51);
}

TEST(ParseShortcut, ModifiersInAnyOrderAndRepeatedCountOnce) {
  EXPECT_EQ(Parse("Shift+Ctrl+Up"), 0x6026);
  EXPECT_EQ(Parse("Alt+Shift+Ctrl+Up"), 0xE026);
  EXPECT_EQ(Parse("^F5"), 0x4074);
  EXPECT_EQ(Parse("^Space"), 0x4020);
  EXPECT_EQ(Format(Parse("^F5")), "Ctrl+F5");
  EXPECT_EQ(Parse("Ctrl+Ctrl+F5"), 0x4074);
  EXPECT_EQ(Parse("^Ctrl+^F5"), 0x4074);
  EXPECT_EQ(Parse("Alt+Alt+Shift+Shift+A"), 0xA041);
}

TEST(ParseShortcut, UnknownTextGivesZero) {
  for (const char* text : {"", "Ctrl+", "Ctrl+Alt+", "^", "Ctrl + Alt + Down", " F5", "F5 ", "F25",
                           "F0", "Win+A", "Ctrl-A", "Alt", "Shift", "Banana", "Shift+Caps Lock"})
    EXPECT_EQ(Parse(text), 0) << '"' << text << '"';
}

TEST(ParseShortcut, FirstMatchingCodeWins) {
  EXPECT_EQ(Parse("5"), 0x35);  // the main digit, not the keypad's 0x65
  EXPECT_EQ(Parse("0"), 0x30);
  EXPECT_EQ(Parse("F5"), 0x74);  // not 0x174, which has the same name
  EXPECT_EQ(Parse("F24"), 0x87);
  EXPECT_EQ(Parse("F1"), 0x70);
}

TEST(ParseShortcut, ReachesCodesAboveTheLowByte) {
  // A layout name for a code below 8 is first met again at 0x100 + code.
  NamingLayout layout;
  layout.names = {{0x03, "#"}};
  EXPECT_EQ(ParseShortcut("#", layout), 0x103);
  EXPECT_EQ(ParseShortcut("Ctrl+#", layout), 0x4103);
  EXPECT_EQ(FormatShortcut(0x103, layout), "#");
}

TEST(PlainKeyboardLayout, ComparesAsciiWithoutCaseAndNamesNothing) {
  EXPECT_TRUE(plain.EqualIgnoringCase("Ctrl+", "cTRL+"));
  EXPECT_FALSE(plain.EqualIgnoringCase("Ctrl", "Ctrl+"));
  EXPECT_FALSE(plain.EqualIgnoringCase("[", "{"));
  EXPECT_TRUE(plain.EqualIgnoringCase("", ""));
  EXPECT_EQ(plain.KeyName(0xBA), "");
}

}  // namespace
}  // namespace qv
