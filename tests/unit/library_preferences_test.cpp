#include <gtest/gtest.h>

#include "app/app_error.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_file_system.h"
#include "library/preferences.h"

namespace qv {
namespace {

const std::string kPrefs = "C:\\Q\\prefs.qvl";

struct PreferencesTest : ::testing::Test {
  test::FakeFileSystem files;
  test::FakeHotKeyRegistration hotKeyApi;
  GlobalHotKey hotKey{hotKeyApi};
  SettingsControls boxes;
  PopupControls popup;
  std::int32_t delay = 0;
  std::string flags = "0000000000";
  PreferenceTargets targets{files, kPrefs, boxes, popup, hotKey, PlainKeyboardLayout(),
                            delay, flags};

  void Run(std::string_view mode) { InitializeParameters(mode, targets); }
  void Load(const std::string& bytes) {
    files.files[kPrefs] = bytes;
    Run("PgmStart");
  }
  std::string Message(std::string_view mode) {
    try {
      Run(mode);
    } catch (const AppError& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(PreferencesTest, StartLoadsTheThreeLinesWithoutApplyingThem) {
  Load("F7\r\n250\r\n0123456789\r\n");
  EXPECT_EQ(boxes.hotKeyText, "F7");
  EXPECT_EQ(boxes.delayText, "250");
  EXPECT_EQ(flags, "0123456789");
  EXPECT_EQ(hotKey.Key(), 0);
  EXPECT_EQ(delay, 0);
}

TEST_F(PreferencesTest, StartAcceptsAnyLineBreak) {
  Load("F7\r250\nx\r\n");
  EXPECT_EQ(boxes.hotKeyText, "F7");
  EXPECT_EQ(boxes.delayText, "250");
  EXPECT_EQ(flags, "x");
}

TEST_F(PreferencesTest, FirstFlagCharacterChoosesTheSuffixButton) {
  struct Case {
    char flag;
    bool crlf, crlfLf;
  };
  for (Case c : {Case{'2', true, false}, Case{'3', false, true}, Case{'1', false, true},
                 Case{'x', false, true}}) {
    popup.crlfDown = !c.crlf;  // the other button was down: it is released
    popup.crlfLfDown = !c.crlfLf;
    Load(std::string("F5\r\n100\r\n") + c.flag + "000000000\r\n");
    EXPECT_EQ(popup.crlfDown, c.crlf) << c.flag;
    EXPECT_EQ(popup.crlfLfDown, c.crlfLf) << c.flag;
  }
}

TEST_F(PreferencesTest, FlagZeroLeavesTheButtonsAsTheyAre) {
  popup.crlfLfDown = true;
  Load("F5\r\n100\r\n0000000000\r\n");
  EXPECT_TRUE(popup.crlfLfDown);
  EXPECT_FALSE(popup.crlfDown);
  EXPECT_EQ(flags, "0000000000");
}

TEST_F(PreferencesTest, MissingOrEmptyFlagLineFallsBackToZeros) {
  for (const char* bytes : {"F5\r\n100\r\n\r\n", "F5\r\n100\r\n", "F5", ""}) {
    flags = "3999";
    popup.crlfDown = true;
    Load(bytes);
    EXPECT_EQ(flags, "0000000000") << bytes;
    EXPECT_TRUE(popup.crlfDown) << bytes;
  }
  EXPECT_EQ(boxes.hotKeyText, "");
  EXPECT_EQ(boxes.delayText, "");
  Run("ParmUpdate");
  EXPECT_EQ(files.files[kPrefs], "\r\n\r\n0000000000\r\n");
}

TEST_F(PreferencesTest, UnreadableFileChangesNothing) {
  flags = "2000000000";
  EXPECT_EQ(Message("PgmStart"), "Cannot open file " + kPrefs);
  EXPECT_EQ(boxes.hotKeyText, "Ctrl+Alt+Down");
  EXPECT_EQ(boxes.delayText, "100");
  EXPECT_EQ(flags, "2000000000");
}

TEST_F(PreferencesTest, UpdateAppliesBoxesAndRecordsTheButtons) {
  boxes.hotKeyText = "Ctrl+Shift+Up";
  boxes.delayText = " 250";
  flags = "0123456789";
  popup.crlfLfDown = true;
  Run("PgmUpdate");
  EXPECT_EQ(hotKey.Key(), 0x6026);
  EXPECT_EQ(delay, 250);
  EXPECT_EQ(flags, "3123456789");
  popup.crlfLfDown = false;
  Run("PgmUpdate");
  EXPECT_EQ(flags, "0123456789");
  popup.crlfDown = true;
  Run("PgmUpdate");
  EXPECT_EQ(flags, "2123456789");
  EXPECT_EQ(boxes.hotKeyText, "Ctrl+Shift+Up");  // the boxes themselves are not rewritten
}

TEST_F(PreferencesTest, UnknownHotKeyTextAppliesZero) {
  boxes.hotKeyText = "Ctrl+Banana";
  Run("PgmUpdate");
  EXPECT_EQ(hotKey.Key(), 0);
}

TEST_F(PreferencesTest, BadDelayIsReportedOnceAndReplacedByTheDelayInEffect) {
  delay = 250;
  flags = "0000000000";
  popup.crlfDown = true;
  boxes.hotKeyText = "F9";
  boxes.delayText = "abc";
  EXPECT_EQ(Message("PgmUpdate"), "'abc' is not a valid integer value");
  EXPECT_EQ(hotKey.Key(), 0x78);  // applied before the delay
  EXPECT_EQ(delay, 250);
  EXPECT_EQ(flags, "0000000000");
  EXPECT_EQ(boxes.delayText, "250");
  EXPECT_EQ(Message("PgmUpdate"), "");
  EXPECT_EQ(flags, "2000000000");
}

TEST_F(PreferencesTest, SaveWritesTheBoxesAsTheyStand) {
  boxes.hotKeyText = "Ctrl+Shift+Up";
  boxes.delayText = "0100";
  flags = "3abc";
  Run("ParmUpdate");
  EXPECT_EQ(files.files[kPrefs], "Ctrl+Shift+Up\r\n0100\r\n3abc\r\n");
}

TEST_F(PreferencesTest, FourthLineIsIgnoredAndDroppedAtTheNextSave) {
  Load("F3\r\n50\r\n2000000000\r\nextra\r\n");
  EXPECT_EQ(flags, "2000000000");
  Run("ParmUpdate");
  EXPECT_EQ(files.files[kPrefs], "F3\r\n50\r\n2000000000\r\n");
}

TEST_F(PreferencesTest, FailedSaveIsReported) {
  files.failAtCall = 0;
  EXPECT_EQ(Message("ParmUpdate"), "Cannot create file " + kPrefs);
}

TEST_F(PreferencesTest, OtherModesDoNothing) {
  files.files[kPrefs] = "F3\r\n50\r\n2\r\n";
  for (const char* mode : {"pgmstart", "PGMUPDATE", "PgmStart ", "", "Parmupdate"}) Run(mode);
  EXPECT_TRUE(files.log.empty());
  EXPECT_EQ(hotKey.Key(), 0);
  EXPECT_EQ(boxes.hotKeyText, "Ctrl+Alt+Down");
}

TEST(StrToInt, AcceptsDecimalAndHexForms) {
  const std::pair<const char*, std::int32_t> cases[] = {{"250", 250},
                                                        {" 250", 250},
                                                        {"   7", 7},
                                                        {"0100", 100},
                                                        {"-5", -5},
                                                        {"+7", 7},
                                                        {"$FA", 250},
                                                        {"$fa", 250},
                                                        {"0x10", 16},
                                                        {"0X1f", 31},
                                                        {"-$10", -16},
                                                        {" +0x10", 16},
                                                        {"0", 0},
                                                        {"-0", 0},
                                                        {"2147483647", 2147483647},
                                                        {"$7FFFFFFF", 2147483647},
                                                        {"-2147483648", -2147483647 - 1},
                                                        {"-$80000000", -2147483647 - 1},
                                                        {"0000000000000000000042", 42}};
  for (const auto& [text, value] : cases) EXPECT_EQ(StrToInt(text), value) << text;
}

TEST(StrToInt, RefusesEverythingElseWithTheText) {
  for (const char* text : {"abc",         "",          " ",         "-",
                           "+",           "$",         "0x",        "-$",
                           "250 ",        "2 5",       "1e3",       "\t5",
                           "12a",         "--5",       "+-5",       "$G",
                           "0x-1",        "$-1",       "x10",       "2147483648",
                           "-2147483649", "$80000000", "$FFFFFFFF", "99999999999999999999999",
                           "0x100000000"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted \"" << text << '"';
    } catch (const AppError& e) {
      EXPECT_EQ(e.what(), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace qv
