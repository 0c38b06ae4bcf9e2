// Shortcut texts and values: a parsed text formats to a text that parses to the same value,
// parsing ignores letter case, and formatting any value is stable under a parse.
#include "desktop/shortcut.h"
#include "fuzz_support.h"

namespace qv::fuzz {
namespace {

std::string WithCaseSwapped(std::string text) {
  for (auto& c : text) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

constexpr TShortCut kModifiers = kShiftBit | kCtrlBit | kAltBit;

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  const KeyboardLayout& layout = PlainKeyboardLayout();
  ByteReader reader(data, size);
  const unsigned low = reader.Byte();
  const auto value = static_cast<TShortCut>(low | reader.Byte() << 8);
  const std::string text = AsString(data, size).substr(std::min<std::size_t>(size, 2));

  // Any text: 0, or a named key with modifier bits only.
  const TShortCut parsed = ParseShortcut(text, layout);
  FUZZ_CHECK(ParseShortcut(WithCaseSwapped(text), layout) == parsed);
  if (parsed != 0) {
    FUZZ_CHECK((parsed & ~(kModifiers | 0xFF)) == 0);
    const std::string formatted = FormatShortcut(parsed, layout);
    FUZZ_CHECK(!formatted.empty());
    FUZZ_CHECK(ParseShortcut(formatted, layout) == parsed);
  }

  // Any value: its text, when it has one, parses to a value with the same text and modifiers.
  const std::string formatted = FormatShortcut(value, layout);
  if (!formatted.empty()) {
    const TShortCut again = ParseShortcut(formatted, layout);
    FUZZ_CHECK(FormatShortcut(again, layout) == formatted);
    FUZZ_CHECK((again & kModifiers) == (value & kModifiers));
  } else {
    FUZZ_CHECK(FormatShortcut(value & 0xFF, layout).empty());
  }
  return 0;
}
