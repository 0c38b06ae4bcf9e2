// The preferences file, the preference texts and the values in effect; StrToInt's forms.
#include <gtest/gtest.h>

#include <optional>

#include "fakes/fake_controls.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_file_system.h"
#include "state/preference_keeper.h"
#include "test_support.h"

namespace qv::test {
namespace {

const std::string kPrefs = "C:\\Q\\prefs.qvl";

struct PreferencesTest : ::testing::Test {
  FakeFileSystem files;
  FakeHotKeyRegistration hotKeyApi;
  GlobalHotKey hotKey{hotKeyApi};
  FakeButton crlf, crlfLf;
  SharedState state;
  std::int32_t& delay = state.PasteDelayMs;
  PreferenceKeeper preferences{
      files, kPrefs, kWestern, {crlf, crlfLf}, hotKey, PlainKeyboardLayout(), state};
  std::string& hotKeyText = preferences.values.hotKey;
  std::string& delayText = preferences.values.pasteDelay;
  std::string& flags = preferences.values.ParamFlags;

  std::string Load() {
    return ErrorOf([&] { preferences.Load(); });
  }
  std::string Apply() {
    return ErrorOf([&] { preferences.Apply(); });
  }
  std::string Save() {
    return ErrorOf([&] { preferences.Save(); });
  }
};

// Loading reads three lines into the texts and ParamFlags and the suffix buttons show the
// flags' first character; it applies nothing.
TEST_F(PreferencesTest, StartLoadsTheLinesAndTheSuffixButtonsWithoutApplyingThem) {
  const std::string zeros = "0000000000";
  const struct {
    std::string file, hotKey, delay, flags;
    bool crlfBefore, crlfLfBefore, crlfAfter, crlfLfAfter;
  } cases[] = {
      {"F7\r\n250\r\n0123456789\r\n", "F7", "250", "0123456789", false, true, false, false},
      {"F7\r250\nx\r\n", "F7", "250", "x", true, false, false, true},  // any break
      {"F5\r\n1\r\n2000000000\r\n", "F5", "1", "2000000000", false, true, true, false},
      {"F5\r\n1\r\n3000000000\r\n", "F5", "1", "3000000000", true, false, false, true},
      {"F5\r\n1\r\n1000000000\r\n", "F5", "1", "1000000000", true, false, false, true},
      {"F5\r\n1\r\n0000000000\r\n", "F5", "1", zeros, true, false, false, false},
      {"F3\r\n50\r\n2\r\nextra\r\n", "F3", "50", "2", false, false, true, false},
      {"F5\r\n100\r\n\r\n", "F5", "100", zeros, true, false, false, false},
      {"F5\r\n100\r\n", "F5", "100", zeros, false, true, false, false},
      {"F5", "F5", "", zeros, true, false, false, false},
      {"", "", "", zeros, true, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    files.files[kPrefs] = c.file;
    flags = "3999";
    crlf.down = c.crlfBefore;
    crlfLf.down = c.crlfLfBefore;
    EXPECT_EQ(Load(), "");
    EXPECT_EQ(hotKeyText, c.hotKey);
    EXPECT_EQ(delayText, c.delay);
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(crlf.down, c.crlfAfter);
    EXPECT_EQ(crlfLf.down, c.crlfLfAfter);
    EXPECT_EQ(hotKey.Key(), 0);
    EXPECT_EQ(delay, 0);
  }
}

TEST_F(PreferencesTest, UnreadableFileChangesNothing) {
  flags = "2000000000";
  EXPECT_EQ(Load(), "Cannot open file " + kPrefs);
  EXPECT_EQ(hotKeyText, "Ctrl+Alt+Down");
  EXPECT_EQ(delayText, "100");
  EXPECT_EQ(flags, "2000000000");
}

// A file that exists but could not be read holds settings this run never saw; only a file
// that was read, or none at all, is written.
TEST_F(PreferencesTest, AFileTheLastLoadCouldNotReadIsNeverOverwritten) {
  const std::string file = "F3\r\n50\r\n2123\r\n", saved = "F3\r\n50\r\n2123\r\n";
  const std::string defaults = "Ctrl+Alt+Down\r\n100\r\n0000000000\r\n";
  const struct {
    const char* name;
    std::optional<std::string> before;
    bool lockedAtLoad, folder;
    std::optional<std::string> after;
  } cases[] = {
      {"locked", file, true, false, file},
      {"missing", std::nullopt, false, false, defaults},
      {"a folder", std::nullopt, false, true, std::nullopt},
      {"read", file, false, false, saved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files = {};
    if (c.before) files.files[kPrefs] = *c.before;
    if (c.lockedAtLoad) files.unreadable.insert(kPrefs);
    if (c.folder) files.folders.insert(kPrefs);
    Load();
    files.unreadable.clear();
    EXPECT_EQ(Save(), "");
    const auto after = files.files.find(kPrefs);
    EXPECT_EQ(after == files.files.end() ? std::nullopt : std::optional(after->second), c.after);
  }
  // A reload that fails makes the file unknown again.
  files.unreadable.insert(kPrefs);
  hotKeyText = "F12";
  EXPECT_EQ(Load(), "Cannot open file " + kPrefs);
  Save();
  EXPECT_EQ(files.files[kPrefs], saved);
}

TEST_F(PreferencesTest, ApplySetsTheHotKeyAndDelayAndASuffixClickRecordsTheButtons) {
  hotKeyText = "Ctrl+Shift+Up";
  delayText = " 250";
  flags = "0123456789";
  const std::tuple<bool, bool, const char*> cases[] = {
      {false, true, "3123456789"}, {false, false, "0123456789"}, {true, false, "2123456789"}};
  for (const auto& [crlfDown, crlfLfDown, flagsAfter] : cases) {
    crlf.down = crlfDown;
    crlfLf.down = crlfLfDown;
    preferences.RecordSuffix();
    EXPECT_EQ(flags, flagsAfter);
  }
  EXPECT_EQ(Apply(), "");
  EXPECT_EQ(flags, "2123456789");
  EXPECT_EQ(hotKey.Key(), 0x6026);
  EXPECT_EQ(delay, 250);
  EXPECT_EQ(hotKeyText, "Ctrl+Shift+Up");  // the texts themselves are not rewritten
  hotKeyText = "Ctrl+Banana";
  Apply();
  EXPECT_EQ(hotKey.Key(), 0);
}

// Corrected to the default rather than kept: at start-up the delay in effect is 0.
TEST_F(PreferencesTest, BadDelayIsReportedOnceAndCorrectedToTheDefault) {
  delay = 250;
  crlf.down = true;
  hotKeyText = "F9";
  delayText = "abc";
  EXPECT_EQ(Apply(), "'abc' is not a valid integer value");
  EXPECT_EQ(hotKey.Key(), 0x78);  // applied before the delay
  EXPECT_EQ(delay, 100);
  EXPECT_EQ(flags, "0000000000");
  EXPECT_EQ(delayText, "100");
  EXPECT_EQ(Apply(), "");
}

TEST_F(PreferencesTest, SaveWritesTheTextsAndFlagsAsThreeCrLfLines) {
  hotKeyText = "Ctrl+Shift+Up";
  delayText = "0100";
  flags = "3abc";
  Save();
  EXPECT_EQ(files.files[kPrefs], "Ctrl+Shift+Up\r\n0100\r\n3abc\r\n");
  files.files[kPrefs] = "F3\r\n50\r\n2000000000\r\nextra\r\n";  // a fourth line is dropped
  Load();
  Save();
  EXPECT_EQ(files.files[kPrefs], "F3\r\n50\r\n2000000000\r\n");
  files.files[kPrefs] = "";
  Load();
  Save();
  EXPECT_EQ(files.files[kPrefs], "\r\n\r\n0000000000\r\n");
  flags = "2000000000";
  files.failAtCall = files.mutatingCalls;
  EXPECT_EQ(Save(), "Cannot create file " + kPrefs);
}

TEST(StrToInt, AcceptsDecimalAndHexForms) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"250", 250},  {" 250", 250},  {"   7", 7},  {"0100", 100}, {"-5", -5},
      {"+7", 7},     {"$FA", 250},   {"$fa", 250}, {"0x10", 16},  {"0X1f", 31},
      {"-$10", -16}, {" +0x10", 16}, {"0", 0},     {"-0", 0},     {"00000000000042", 42},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(StrToInt(text), value) << text;
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(StrToInt("$7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("-$80000000"), INT32_MIN);
}

TEST(StrToInt, RefusesEverythingElseWithTheText) {
  for (const char* text : {"abc",         "",          " ",         "-",
                           "+",           "$",         "0x",        "-$",
                           "250 ",        "2 5",       "1e3",       "\t5",
                           "12a",         "--5",       "+-5",       "$G",
                           "0x-1",        "$-1",       "x10",       "2147483648",
                           "-2147483649", "$80000000", "$FFFFFFFF", "99999999999999999999999",
                           "0x100000000"}) {
    EXPECT_EQ(ErrorOf([&] { StrToInt(text); }),
              "'" + std::string(text) + "' is not a valid integer value");
  }
}

}  // namespace
}  // namespace qv::test
