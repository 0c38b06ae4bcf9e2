// Shortcut values and their text form, with the keyboard layout's own key names.
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
  std::map<unsigned, std::string> names = {{0xBA, ";"}, {0x14, "Caps Lock"}, {0xBB, ""},
                                           {0x41, "Q"}, {0x70, "x"},         {0x03, "#"}};
  std::string KeyName(unsigned vk) const override {
    auto it = names.find(vk);
    return it == names.end() ? std::string() : it->second;
  }
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override {
    return PlainKeyboardLayout().EqualIgnoringCase(a, b);
  }
};

const KeyboardLayout& plain = PlainKeyboardLayout();

// Fixed names; modifiers in Shift, Ctrl, Alt order; bits 8 to 12 are not part of the text; a
// key without a name gives no text whatever the modifiers.
TEST(FormatShortcut, FixedNamesWithModifiersInShiftCtrlAltOrder) {
  const std::pair<TShortCut, const char*> cases[] = {
      {0x08, "BkSp"},      {0x09, "Tab"},  {0x0D, "Enter"}, {0x1B, "Esc"},
      {0x20, "Space"},     {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},
      {0x24, "Home"},      {0x25, "Left"}, {0x26, "Up"},    {0x27, "Right"},
      {0x28, "Down"},      {0x2D, "Ins"},  {0x2E, "Del"},   {0x30, "0"},
      {0x39, "9"},         {0x41, "A"},    {0x5A, "Z"},     {0x60, "0"},
      {0x65, "5"},         {0x69, "9"},    {0x70, "F1"},    {0x7B, "F12"},
      {0x87, "F24"},       {0x174, "F5"},  {0x1F41, "A"},   {0x4128, "Ctrl+Down"},
      {0x4074, "Ctrl+F5"}, {0, ""},        {0xE000, ""},    {0x0A, ""},
      {0x88, ""},          {0x6014, ""},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(FormatShortcut(code, plain), text) << code;
  EXPECT_EQ(FormatShortcut(0xE028, plain), "Shift+Ctrl+Alt+Down");
  EXPECT_EQ(FormatShortcut(0xA041, plain), "Shift+Alt+A");
}

// Modifiers in any order, case and number; then the first code with the name: the main
// digit, not the keypad's, and F5 is 0x74, not 0x174 of the same name.
TEST(ParseShortcut, ModifiersInAnyOrderAndCaseThenTheFirstCodeWithTheName) {
  const std::pair<const char*, TShortCut> modified[] = {
      {"ctrl+alt+down", 0xC028}, {"SHIFT+CTRL+UP", 0x6026}, {"Shift+Ctrl+Up", 0x6026},
      {"Ctrl+Ctrl+F5", 0x4074},  {"^Ctrl+^F5", 0x4074},     {"^Space", 0x4020},
  };
  const std::pair<const char*, TShortCut> plainKeys[] = {
      {"f5", 0x74}, {"bksp", 0x08}, {"q", 0x51},   {"^F5", 0x4074}, {"5", 0x35},
      {"0", 0x30},  {"F5", 0x74},   {"F24", 0x87}, {"F1", 0x70},
  };
  for (const auto& [text, code] : modified) EXPECT_EQ(ParseShortcut(text, plain), code) << text;
  for (const auto& [text, code] : plainKeys) EXPECT_EQ(ParseShortcut(text, plain), code) << text;
  EXPECT_EQ(ParseShortcut("Alt+Shift+Ctrl+Up", plain), 0xE026);
  EXPECT_EQ(ParseShortcut("Alt+Alt+Shift+Shift+A", plain), 0xA041);
  for (const char* text : {"", "Ctrl+", "Ctrl+Alt+", "^", "Ctrl + Alt + Down", " F5", "F5 ", "F25",
                           "F0", "Win+A", "Ctrl-A", "Alt", "Shift", "Banana", "Shift+Caps Lock"})
    EXPECT_EQ(ParseShortcut(text, plain), 0) << '"' << text << '"';
}

TEST(ParseShortcut, OfferedChoicesComeBackWithShiftFirst) {
  const std::map<std::string, std::pair<TShortCut, std::string>> expected{
      {"Ctrl+Alt+Down", {0xC028, "Ctrl+Alt+Down"}},
      {"Ctrl+Shift+Down", {0x6028, "Shift+Ctrl+Down"}},
      {"Ctrl+Shift+Up", {0x6026, "Shift+Ctrl+Up"}},
      {"Ctrl+Shift+Left", {0x6025, "Shift+Ctrl+Left"}},
      {"Ctrl+Shift+Right", {0x6027, "Shift+Ctrl+Right"}}};
  for (const std::string choice : kHotKeyChoices) {
    const auto it = expected.find(choice);
    const auto [code, shown] =
        it != expected.end()  // else "F2" ... "F12"
            ? it->second
            : std::pair(TShortCut(0x6F + std::stoi(choice.substr(1))), choice);
    const TShortCut value = ParseShortcut(choice, plain);
    EXPECT_EQ(value, code) << choice;
    EXPECT_EQ(FormatShortcut(value, plain), shown);
    EXPECT_EQ(ParseShortcut(shown, plain), value) << choice;  // the form shown back is stable
  }
}

TEST(ShortcutLayout, OnlyOneCharacterNamesOfKeysWithoutAFixedName) {
  const NamingLayout layout;
  EXPECT_EQ(FormatShortcut(0xBA, layout), ";");
  EXPECT_EQ(FormatShortcut(0x40BA, layout), "Ctrl+;");
  EXPECT_EQ(FormatShortcut(0x14, layout), "");
  EXPECT_EQ(FormatShortcut(0xBB, layout), "");
  EXPECT_EQ(FormatShortcut(0x41, layout), "A");
  EXPECT_EQ(FormatShortcut(0x70, layout), "F1");
  EXPECT_EQ(ParseShortcut("Ctrl+;", layout), 0x40BA);
  EXPECT_EQ(ParseShortcut("Caps Lock", layout), 0);
  // A name for a code below 8 is first met again at 0x100 + code.
  EXPECT_EQ(ParseShortcut("#", layout), 0x103);
  EXPECT_EQ(ParseShortcut("Ctrl+#", layout), 0x4103);
  EXPECT_EQ(FormatShortcut(0x103, layout), "#");
}

}  // namespace
}  // namespace qv
