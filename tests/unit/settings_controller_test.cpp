// The settings dialog: applying the preferences at creation and activation, OK and Cancel.
#include "settings/settings_controller.h"

#include <gtest/gtest.h>

#include "fakes/program_fixture.h"
#include "test_support.h"

namespace qv::test {
namespace {

const std::string kDefaultFile = "F5\r\n100\r\n0000000000\r\n";

struct SettingsControllerTest : ::testing::Test, ProgramFixture {
  SettingsController& dialog = program.settings;

  std::string& File() { return files.files[paths.prefs]; }
  std::string Create(const std::string& file) {
    File() = file;
    return ErrorOf([&] { program.LoadPreferences(); });
  }
  // "Settings..." from the tray menu; returns what the activation reported.
  std::string Open() {
    dialog.SettingsClick();
    return ErrorOf([&] { dialog.FormActivate(); });
  }
  std::string Ok() {
    return ErrorOf([&] { dialog.BitBtn1Click(); });
  }
  std::string Cancel() {
    return ErrorOf([&] { dialog.BitBtn2Click(); });
  }
  // The hot key and paste delay in effect, and the texts of the two boxes.
  std::pair<int, int> InEffect() const {
    return {program.hotKey.Key(), program.state.PasteDelayMs};
  }
  using Texts = std::pair<std::string, std::string>;
  Texts Boxes() const { return {hotKeyBox.text, delayBox.text}; }
};

TEST_F(SettingsControllerTest, CreationLoadsAndAppliesTheFile) {
  EXPECT_EQ(Create("F7\r\n$FA\r\n2000000000\r\n"), "");
  EXPECT_EQ(InEffect(), std::pair(0x76, 250));
  EXPECT_TRUE(crlf.Down());
  EXPECT_EQ(program.preferences.values.ParamFlags, "2000000000");
  EXPECT_EQ(program.preferences.values.pasteDelay, "$FA");  // rewritten only at activation
}

TEST_F(SettingsControllerTest, CreationWithoutFileKeepsTheStartValuesUntilTheFirstActivation) {
  EXPECT_EQ(ErrorOf([&] { program.LoadPreferences(); }), "Cannot open file " + paths.prefs);
  EXPECT_EQ(InEffect(), std::pair(0xC028, 0));
  EXPECT_EQ(Boxes(), (Texts{"Ctrl+Alt+Down", "100"}));
  EXPECT_EQ(Open(), "");
  EXPECT_EQ(program.state.PasteDelayMs, 100);
  EXPECT_EQ(Ok(), "");
  EXPECT_EQ(File(), "Ctrl+Alt+Down\r\n100\r\n0000000000\r\n");
}

// A bad delay in the file is reported once, at creation, and corrected to the default;
// neither activation, Cancel nor the next save brings the bad text back.
TEST_F(SettingsControllerTest, BadDelayInTheFileIsReportedOnlyAtCreation) {
  EXPECT_EQ(Create("F9\r\nabc\r\n3000000000\r\n"), "'abc' is not a valid integer value");
  EXPECT_EQ(InEffect(), std::pair(0x78, 100));
  EXPECT_TRUE(crlfLf.Down());
  EXPECT_EQ(Open(), "");
  EXPECT_EQ(delayBox.text, "100");
  EXPECT_EQ(Cancel(), "");
  EXPECT_EQ(delayBox.text, "100");
  EXPECT_EQ(Open(), "");
  program.Housekeeping();
  EXPECT_EQ(File(), "F9\r\n100\r\n3000000000\r\n");
}

// What OK saves is the typed text; the form shown back, empty for an unknown key, is saved
// the next time.
TEST_F(SettingsControllerTest, ActivationShowsTheValuesInEffectAndPointsAtOk) {
  Create("Ctrl+Shift+Up\r\n0100\r\n0000000000\r\n");
  desktop.log.clear();
  Open();
  EXPECT_EQ(Boxes(), (Texts{"Shift+Ctrl+Up", "100"}));
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"hide", "pointer 623,579"}));
  for (const auto& [typed, shown] :
       {std::pair{"Ctrl+Shift+Up", "Shift+Ctrl+Up"}, {"Ctrl+Banana", ""}}) {
    hotKeyBox.text = typed;
    Ok();
    EXPECT_EQ(File(), typed + std::string("\r\n100\r\n0000000000\r\n"));
    Open();
    Ok();
    EXPECT_EQ(File(), shown + std::string("\r\n100\r\n0000000000\r\n"));
  }
  EXPECT_EQ(program.hotKey.Key(), 0);
  EXPECT_EQ(hotKeyApi.log.back(), "register 0 0");
}

TEST_F(SettingsControllerTest, OkWritesThenAppliesThenClosesAndAFailedWriteAppliesNothing) {
  Create(kDefaultFile);
  Open();
  hotKeyBox.text = "F11";
  delayBox.text = "-5";  // accepted; the paste bounds its wait
  files.failAtCall = files.mutatingCalls;
  EXPECT_EQ(Ok(), "Cannot create file " + paths.prefs);
  EXPECT_EQ(InEffect(), std::pair(0x74, 100));
  EXPECT_TRUE(settingsWindow.visible);
  EXPECT_EQ(Ok(), "");
  EXPECT_EQ(File(), "F11\r\n-5\r\n0000000000\r\n");
  EXPECT_EQ(InEffect(), std::pair(0x7A, -5));
  EXPECT_FALSE(settingsWindow.visible);
}

// prefs.qvl held by another program at start-up: "OK" says it cannot save rather than seem
// to; once Cancel has read the file again, "OK" saves.
TEST_F(SettingsControllerTest, OkAfterAnUnreadableFileSaysItCannotSave) {
  files.unreadable.insert(paths.prefs);
  files.files[paths.prefs] = kDefaultFile;
  EXPECT_EQ(ErrorOf([&] { program.LoadPreferences(); }), "Cannot open file " + paths.prefs);
  Open();
  hotKeyBox.text = "F11";
  EXPECT_EQ(Ok(), "Cannot create file " + paths.prefs);
  EXPECT_EQ(File(), kDefaultFile);
  EXPECT_TRUE(settingsWindow.visible);
  files.unreadable.clear();
  EXPECT_EQ(Cancel(), "");
  Open();
  hotKeyBox.text = "F11";
  EXPECT_EQ(Ok(), "");
  EXPECT_EQ(File(), "F11\r\n100\r\n0000000000\r\n");
}

TEST_F(SettingsControllerTest, BadTypedDelayIsRefusedBeforeAnythingAndReportedOnce) {
  Create("F5\r\n250\r\n0000000000\r\n");
  Open();
  hotKeyBox.text = "F11";
  for (const std::string bad : {"abc", "", "99999999999"}) {
    delayBox.text = bad;
    files.log.clear();
    EXPECT_EQ(Ok(), "'" + bad + "' is not a valid integer value");
    EXPECT_TRUE(files.log.empty()) << bad;
    EXPECT_EQ(InEffect(), std::pair(0x74, 250));
    EXPECT_EQ(delayBox.text, "100");
    EXPECT_TRUE(settingsWindow.visible);
  }
  // Nothing bad is left behind for the next activation to report.
  EXPECT_EQ(ErrorOf([&] { dialog.FormActivate(); }), "");
  delayBox.text = "12a";
  EXPECT_EQ(ErrorOf([&] { dialog.FormActivate(); }), "'12a' is not a valid integer value");
  EXPECT_EQ(ErrorOf([&] { dialog.FormActivate(); }), "");
  EXPECT_EQ(InEffect(), std::pair(0x7A, 100));
  EXPECT_EQ(delayBox.text, "100");
}

// Cancel reloads the boxes from the file and applies nothing; what a reactivation applied
// stays in effect.
TEST_F(SettingsControllerTest, CancelReloadsTheBoxesWithoutApplying) {
  Create(kDefaultFile);
  Open();
  delayBox.text = "3000";
  dialog.FormActivate();  // the user came back from another program
  hotKeyBox.text = "F12";
  delayBox.text = "2000";
  EXPECT_EQ(Cancel(), "");
  EXPECT_EQ(Boxes(), (Texts{"F5", "100"}));
  EXPECT_EQ(InEffect(), std::pair(0x74, 3000));
  EXPECT_FALSE(settingsWindow.visible);

  Open();
  files.unreadable.insert(paths.prefs);
  EXPECT_EQ(Cancel(), "Cannot open file " + paths.prefs);
  EXPECT_TRUE(settingsWindow.visible);
}

// "+cR" records only the choice: a hot key that does not work is not tried again at each
// click; Settings' Cancel keeps the choice the list shows, and that is what is saved.
TEST_F(SettingsControllerTest, ASuffixClickRecordsOnlyTheChoiceAndCancelKeepsIt) {
  hotKeyApi.heldElsewhere = {{0, 0x74}};
  Create(kDefaultFile);
  hotKeyApi.log.clear();
  program.popup.SuffixButtonClick(SuffixButton::CrLf);
  EXPECT_TRUE(hotKeyApi.log.empty());
  Open();
  EXPECT_EQ(Cancel(), "");
  EXPECT_TRUE(crlf.Down());
  program.Housekeeping();
  EXPECT_EQ(File(), "F5\r\n100\r\n2000000000\r\n");
}

TEST_F(SettingsControllerTest, SettingsHidesTheListAndShowsTheDialogModallyOnce) {
  popupWindow.visible = true;
  dialog.SettingsClick();
  EXPECT_FALSE(popupWindow.visible);
  popupWindow.visible = true;
  EXPECT_EQ(ErrorOf([&] { dialog.SettingsClick(); }), "Cannot make a visible window modal");
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(settingsWindow.modalShows, 1);
  EXPECT_TRUE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, MakerLabelStaysUnderlinedAndOpensAMailLink) {
  dialog.RxLabel3MouseEnter();
  Open();
  EXPECT_TRUE(makerLabel.underlined);
  dialog.RxLabel3Click();
  EXPECT_EQ(desktop.mailLink.rfind("mailto:", 0), 0u);
  EXPECT_GT(desktop.mailLink.size(), 7u);
}

}  // namespace
}  // namespace qv::test
