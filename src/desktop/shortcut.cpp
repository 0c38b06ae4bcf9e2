#include "desktop/shortcut.h"

#include <array>

#include "base/utf8_text.h"

namespace qv {

namespace {

struct NamedKey {
  unsigned code;
  const char* name;
};

// Keys whose names do not depend on the keyboard layout.
constexpr std::array<NamedKey, 15> kNamedKeys{{
    {0x08, "BkSp"},
    {0x09, "Tab"},
    {0x0D, "Enter"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "PgUp"},
    {0x22, "PgDn"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Ins"},
    {0x2E, "Del"},
}};

struct ModifierPrefix {
  std::string_view text;
  TShortCut bit;
};

// Tested in this order on every pass; "^" is another way to write Ctrl.
constexpr std::array<ModifierPrefix, 4> kParsedPrefixes{{
    {"Shift+", kShiftBit},
    {"^", kCtrlBit},
    {"Ctrl+", kCtrlBit},
    {"Alt+", kAltBit},
}};

// Codes that parsing tries, in this order; above 0xFF they repeat the names of the low byte.
constexpr unsigned kFirstParsedCode = 8;
constexpr unsigned kLastParsedCode = 597;

std::string KeyName(unsigned code, const KeyboardLayout& layout) {
  for (const NamedKey& key : kNamedKeys)
    if (key.code == code) return key.name;
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
    return std::string(1, static_cast<char>(code));
  if (code >= 0x60 && code <= 0x69)  // keypad digits read like the main digits
    return std::string(1, static_cast<char>('0' + (code - 0x60)));
  if (code >= 0x70 && code <= 0x87) {
    std::string name(1, 'F');
    name += std::to_string(code - 0x6F);
    return name;
  }
  std::string name = layout.KeyName(code);
  return CharacterCount(name) == 1 ? name : std::string();  // a key's own character
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix,
                            const KeyboardLayout& layout) {
  return text.size() >= prefix.size() &&
         layout.EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Removes the modifier prefix at the front of `text`, if any, and returns its bit (0 if none).
TShortCut TakeModifierPrefix(std::string_view& text, const KeyboardLayout& layout) {
  for (const ModifierPrefix& prefix : kParsedPrefixes) {
    if (StartsWithIgnoringCase(text, prefix.text, layout)) {
      text.remove_prefix(prefix.text.size());
      return prefix.bit;
    }
  }
  return 0;
}

class PlainLayout : public KeyboardLayout {
 public:
  std::string KeyName(unsigned) const override { return {}; }
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const override {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
      if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
  }

 private:
  static char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
};

}  // namespace

const KeyboardLayout& PlainKeyboardLayout() {
  static const PlainLayout layout;
  return layout;
}

std::string FormatShortcut(TShortCut value, const KeyboardLayout& layout) {
  const std::string name = KeyName(value & 0xFF, layout);
  if (name.empty()) return {};
  std::string text;
  if (value & kShiftBit) text += "Shift+";
  if (value & kCtrlBit) text += "Ctrl+";
  if (value & kAltBit) text += "Alt+";
  return text + name;
}

TShortCut ParseShortcut(std::string_view text, const KeyboardLayout& layout) {
  TShortCut modifiers = 0;
  while (const TShortCut bit = TakeModifierPrefix(text, layout)) modifiers |= bit;
  if (text.empty()) return 0;
  for (unsigned code = kFirstParsedCode; code <= kLastParsedCode; ++code) {
    const std::string name = FormatShortcut(static_cast<TShortCut>(code), layout);
    if (!name.empty() && layout.EqualIgnoringCase(text, name))
      return static_cast<TShortCut>(code | modifiers);
  }
  return 0;
}

}  // namespace qv
