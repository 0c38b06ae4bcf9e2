// The preferences file through loading, applying and saving with fake buttons: the texts get
// the file's lines, the delay is read as the integer forms allow (or reported and corrected
// to the default), and what is saved loads back to the same texts and flags.
#include <charconv>
#include <optional>

#include "base/utf8_text.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_desktop.h"
#include "fuzz_support.h"
#include "state/preference_keeper.h"
#include "test_support.h"

namespace qv::fuzz {
namespace {

const std::string kPath = "C:\\Q\\prefs.qvl";

// A 32-bit integer: leading blanks, a sign, then decimal digits or hex digits after "$" or
// "0x"; written apart from the library's reader, on std::from_chars.
std::optional<std::int32_t> ReferenceInteger(std::string_view text) {
  const auto start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  text.remove_prefix(start);
  const bool negative = text.front() == '-';
  if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
  int base = 10;
  if (text.substr(0, 1) == "$") {
    base = 16;
    text.remove_prefix(1);
  } else if (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X") {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty() || text.front() == '+' || text.front() == '-') return std::nullopt;
  std::uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                            : static_cast<std::int64_t>(magnitude));
}

struct Preferred {
  test::FakeFileSystem files;
  test::FakeHotKeyRegistration hotKeyApi;
  GlobalHotKey hotKey{hotKeyApi};
  test::FakeButton crlf, crlfLf;
  SharedState state;
  PreferenceKeeper preferences{
      files, kPath, test::kWestern, {crlf, crlfLf}, hotKey, PlainKeyboardLayout(), state};
  Preferences& values = preferences.values;

  template <typename Step>
  std::string Run(Step step) {
    return test::ErrorOf([&] { (preferences.*step)(); });
  }
};

std::string Line(const std::vector<std::string>& lines, std::size_t i) {
  return i < lines.size() ? lines[i] : "";
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  const std::string file = AsString(data, size);
  Preferred p;
  p.files.files[kPath] = file;

  // Load: the lines go to the texts and the flags; at most one suffix button ends down.
  FUZZ_CHECK(p.Run(&PreferenceKeeper::Load).empty());
  const bool marked = file.starts_with(kUtf8Mark);  // else code page 1252
  const auto lines =
      FileLines(marked ? file.substr(kUtf8Mark.size()) : test::kWestern.Decode(file));
  const std::string flagsLine = Line(lines, 2);
  FUZZ_CHECK(p.values.hotKey == Line(lines, 0));
  FUZZ_CHECK(p.values.pasteDelay == Line(lines, 1));
  FUZZ_CHECK(p.values.ParamFlags == (flagsLine.empty() ? "0000000000" : flagsLine));
  const char mode = p.values.ParamFlags[0];
  FUZZ_CHECK(p.crlf.down == (mode == '2'));
  FUZZ_CHECK(p.crlfLf.down == (mode != '0' && mode != '2'));
  FUZZ_CHECK(p.state.PasteDelayMs == 0);

  // Apply: the hot key always, then the delay or its report; the flags stay as loaded.
  const std::string flagsBefore = p.values.ParamFlags;
  const std::string delayText = p.values.pasteDelay;
  const std::string error = p.Run(&PreferenceKeeper::Apply);
  FUZZ_CHECK(p.hotKey.Key() == ParseShortcut(Line(lines, 0), PlainKeyboardLayout()));
  if (const auto delay = ReferenceInteger(delayText)) {
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(p.state.PasteDelayMs == *delay);
    FUZZ_CHECK(p.values.ParamFlags == flagsBefore);
  } else {
    // The message as the error box gets it: a C string.
    const std::string message = "'" + delayText + "' is not a valid integer value";
    FUZZ_CHECK(error == message.c_str());
    FUZZ_CHECK(p.values.pasteDelay == "100" && p.state.PasteDelayMs == 100);
    FUZZ_CHECK(p.values.ParamFlags == flagsBefore);
    FUZZ_CHECK(p.Run(&PreferenceKeeper::Apply).empty());  // reported once
  }

  // Save: three lines; loading them gives the same texts and flags, saving again the same file.
  FUZZ_CHECK(p.Run(&PreferenceKeeper::Save).empty());
  const std::string saved = p.files.files[kPath];
  const std::string text =
      p.values.hotKey + "\r\n" + p.values.pasteDelay + "\r\n" + p.values.ParamFlags + "\r\n";
  FUZZ_CHECK(saved == (marked ? std::string(kUtf8Mark) + text : *test::kWestern.Encode(text)));
  const auto texts = std::pair(p.values.hotKey, p.values.pasteDelay);
  const std::string flags = p.values.ParamFlags;
  FUZZ_CHECK(p.Run(&PreferenceKeeper::Load).empty());
  FUZZ_CHECK(std::pair(p.values.hotKey, p.values.pasteDelay) == texts);
  FUZZ_CHECK(p.values.ParamFlags == flags);
  FUZZ_CHECK(p.Run(&PreferenceKeeper::Save).empty());
  FUZZ_CHECK(p.files.files[kPath] == saved);
  return 0;
}
