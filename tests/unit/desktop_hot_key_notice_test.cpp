// Whether the hot key works: the tray tip always says it, a key that does not work is told
// once, naming the key and "Settings...", and only the key in effect after start-up counts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "tray/hot_key_notice.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class HotKeyNoticeTest : public ::testing::Test, public ProgramFixture {
 protected:
  HotKeyNoticeTest() {
    files.files = {{paths.rows, ""}, {paths.store, ""}};
    hotKeyApi.heldElsewhere = {{0, 0x74}};  // another program holds F5
  }
  // FormCreate sets F5, then the settings dialog's creation applies the preferences.
  void StartWithPrefs(const std::string& hotKeyText) {
    files.files[paths.prefs] = hotKeyText + "\r\n100\r\n0000000000\r\n";
    program.FormCreate();
    program.LoadPreferences();
  }
  // Each activation of the settings dialog applies the preferences again.
  void SettingsActivated() { program.preferences.Apply(); }

  FakeTip tip;
  HotKeyNotice notice{
      program.hotKey, program.preferences.values, PlainKeyboardLayout(), desktop, tip, "Quorvanel"};
};

TEST_F(HotKeyNoticeTest, AHeldKeyIsToldOnceAndTheTipFollowsItsRetries) {
  StartWithPrefs("F5");
  notice.Check(true);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0], HasSubstr("The hot key F5 does not work"));
  EXPECT_THAT(desktop.messages[0], HasSubstr("\"Settings...\" in the tray menu"));
  EXPECT_EQ(tip.text, "Quorvanel - hot key F5 does not work");

  hotKeyApi.log.clear();
  SettingsActivated();  // tried again, still held: not told again
  notice.Check(true);
  EXPECT_THAT(hotKeyApi.log, ElementsAre("register 0 116"));
  EXPECT_EQ(desktop.messages.size(), 1u);

  hotKeyApi.heldElsewhere.clear();  // the other program lets go
  SettingsActivated();
  notice.Check(true);
  EXPECT_EQ(tip.text, "Quorvanel - hot key F5");
  hotKeyApi.heldElsewhere = {{0, 0x74}};
  program.preferences.values.hotKey = "F7";
  SettingsActivated();
  program.preferences.values.hotKey = "F5";
  SettingsActivated();  // held again after it worked: a new failure, told
  notice.Check(true);
  EXPECT_EQ(desktop.messages.size(), 2u);
}

// F5, set while the main window is created, is held elsewhere; the preferences' key is not.
TEST_F(HotKeyNoticeTest, OnlyTheKeyInEffectAfterStartUpCounts) {
  StartWithPrefs("Ctrl+Alt+Down");
  notice.Check(true);
  EXPECT_EQ(desktop.messages.size(), 0u);
  EXPECT_EQ(tip.text, "Quorvanel - hot key Ctrl+Alt+Down");
}

TEST_F(HotKeyNoticeTest, AnEmptyOrUnknownKeyIsToldAndOneShotModeOnlySetsTheTip) {
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "No hot key is set", "Quorvanel - no hot key"},
      {"Ctrl+Foo", "The hot key \"Ctrl+Foo\" is not recognised",
       "Quorvanel - hot key \"Ctrl+Foo\" not recognised"},
  };
  for (const auto& [text, message, tipText] : cases) {
    desktop.messages.clear();
    StartWithPrefs(text);
    notice.Check(false);  // one-shot mode: the hot key is not what the user is using
    EXPECT_EQ(tip.text, tipText);
    EXPECT_EQ(desktop.messages.size(), 0u);
    notice.Check(true);
    ASSERT_EQ(desktop.messages.size(), 1u) << text;
    EXPECT_THAT(desktop.messages[0], HasSubstr(message));
    EXPECT_THAT(desktop.messages[0], HasSubstr("\"Settings...\" in the tray menu"));
  }
}

}  // namespace
}  // namespace qv::test

namespace qv::test {
namespace {

// Where the desktop lets no program bind a key, the user is told the command to bind
// instead, not that another program took the key.
TEST_F(HotKeyNoticeTest, ADesktopThatBindsNoKeyNamesTheToggleCommand) {
  hotKeyApi.heldElsewhere.clear();
  hotKeyApi.refuse = true;
  hotKeyApi.unbindable = true;
  StartWithPrefs("F5");
  notice.Check(true);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0], HasSubstr("bind a desktop shortcut to \"quorvanel --toggle\""));
  EXPECT_THAT(desktop.messages[0], ::testing::Not(HasSubstr("another program")));
  EXPECT_EQ(tip.text, "Quorvanel - shortcut: quorvanel --toggle");
}

}  // namespace
}  // namespace qv::test
