#include "settings/settings_controller.h"

#include <gtest/gtest.h>

#include "fakes/program_fixture.h"

namespace qv {
namespace {

struct SettingsControllerTest : ::testing::Test, test::ProgramFixture {
  SettingsController dialog{program};
  SettingsControls& boxes = program.settings;
  const std::string& prefsPath = paths.prefs;

  void WriteFile(const std::string& bytes) { files.files[prefsPath] = bytes; }
  std::string File() { return files.files[prefsPath]; }
  template <typename Handler>
  std::string Message(Handler handler) {
    try {
      handler();
    } catch (const AppError& e) {
      return e.what();
    }
    return "";
  }
  void Open() {
    dialog.SettingsClick();
    dialog.FormActivate();
  }
  // Start-up with this preferences file, then "Settings...".
  void StartAndOpen(const std::string& bytes) {
    WriteFile(bytes);
    dialog.FormCreate();
    Open();
  }
};

TEST_F(SettingsControllerTest, CreationLoadsAndAppliesTheFile) {
  WriteFile("F7\r\n$FA\r\n2000000000\r\n");
  dialog.FormCreate();
  EXPECT_EQ(program.hotKey.Key(), 0x76);
  EXPECT_EQ(program.state.PasteDelayMs, 250);
  EXPECT_TRUE(program.popup.crlfDown);
  EXPECT_EQ(program.state.ParamFlags, "2000000000");
  EXPECT_EQ(boxes.delayText, "$FA");  // the boxes are rewritten only at activation
}

TEST_F(SettingsControllerTest, CreationWithoutFileKeepsTheStartValues) {
  EXPECT_EQ(Message([&] { dialog.FormCreate(); }), "Cannot open file " + prefsPath);
  EXPECT_EQ(program.hotKey.Key(), 0xC028);
  EXPECT_EQ(program.state.PasteDelayMs, 0);
  EXPECT_EQ(boxes.hotKeyText, "Ctrl+Alt+Down");
  EXPECT_EQ(boxes.delayText, "100");
  // The design texts take effect at the first activation and are saved by "OK".
  Open();
  EXPECT_EQ(program.state.PasteDelayMs, 100);
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "Ctrl+Alt+Down\r\n100\r\n0000000000\r\n");
}

TEST_F(SettingsControllerTest, BadDelayInTheFileIsReportedOnlyAtCreation) {
  WriteFile("F9\r\nabc\r\n3000000000\r\n");
  EXPECT_EQ(Message([&] { dialog.FormCreate(); }), "'abc' is not a valid integer value");
  EXPECT_EQ(program.hotKey.Key(), 0x78);
  EXPECT_TRUE(program.popup.crlfLfDown);
  EXPECT_EQ(Message([&] { Open(); }), "");
  EXPECT_EQ(boxes.delayText, "0");
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "F9\r\n0\r\n3000000000\r\n");
}

TEST_F(SettingsControllerTest, ActivationShowsTheValuesInEffectAndPointsAtOk) {
  WriteFile("Ctrl+Shift+Up\r\n0100\r\n0000000000\r\n");
  dialog.FormCreate();
  desktop.log.clear();
  Open();
  EXPECT_EQ(boxes.hotKeyText, "Shift+Ctrl+Up");
  EXPECT_EQ(boxes.delayText, "100");
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"hide", "pointer 623,579"}));
}

TEST_F(SettingsControllerTest, ShiftFirstFormIsWhatTheNextOkSaves) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  boxes.hotKeyText = "Ctrl+Shift+Up";
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "Ctrl+Shift+Up\r\n100\r\n0000000000\r\n");
  Open();
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "Shift+Ctrl+Up\r\n100\r\n0000000000\r\n");
  EXPECT_EQ(program.hotKey.Key(), 0x6026);
}

TEST_F(SettingsControllerTest, UnknownHotKeyIsShownBackAndSavedEmpty) {
  WriteFile("Ctrl+Banana\r\n100\r\n0000000000\r\n");
  dialog.FormCreate();
  EXPECT_EQ(program.hotKey.Key(), 0);
  EXPECT_EQ(hotKeyApi.log.back(), "register 0 0");
  Open();
  EXPECT_EQ(boxes.hotKeyText, "");
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "\r\n100\r\n0000000000\r\n");
}

TEST_F(SettingsControllerTest, OkWritesThenAppliesThenCloses) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  boxes.hotKeyText = "F11";
  boxes.delayText = "-5";  // accepted; the paste bounds its wait
  dialog.BitBtn1Click();
  EXPECT_EQ(File(), "F11\r\n-5\r\n0000000000\r\n");
  EXPECT_EQ(program.hotKey.Key(), 0x7A);
  EXPECT_EQ(program.state.PasteDelayMs, -5);
  EXPECT_FALSE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, OkThatCannotWriteAppliesNothingAndStaysOpen) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  boxes.hotKeyText = "F11";
  files.failAtCall = files.mutatingCalls;
  EXPECT_EQ(Message([&] { dialog.BitBtn1Click(); }), "Cannot create file " + prefsPath);
  EXPECT_EQ(program.hotKey.Key(), 0x74);
  EXPECT_TRUE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, OkRefusesABadDelayBeforeWritingOrApplying) {
  StartAndOpen("F5\r\n250\r\n0000000000\r\n");
  boxes.hotKeyText = "F11";
  for (const char* bad : {"abc", "", "99999999999"}) {
    boxes.delayText = bad;
    files.log.clear();
    EXPECT_EQ(Message([&] { dialog.BitBtn1Click(); }),
              "'" + std::string(bad) + "' is not a valid integer value");
    EXPECT_TRUE(files.log.empty()) << bad;
    EXPECT_EQ(File(), "F5\r\n250\r\n0000000000\r\n");
    EXPECT_EQ(program.hotKey.Key(), 0x74);
    EXPECT_EQ(program.state.PasteDelayMs, 250);
    EXPECT_EQ(boxes.delayText, "250");
    EXPECT_TRUE(settingsWindow.visible);
  }
  // Nothing bad is left behind for the next activation to report.
  EXPECT_EQ(Message([&] { dialog.FormActivate(); }), "");
}

TEST_F(SettingsControllerTest, TypedBadDelayIsReportedOnceAcrossActivations) {
  StartAndOpen("F5\r\n500\r\n0000000000\r\n");
  boxes.delayText = "12a";
  EXPECT_EQ(Message([&] { dialog.FormActivate(); }), "'12a' is not a valid integer value");
  EXPECT_EQ(Message([&] { dialog.FormActivate(); }), "");
  EXPECT_EQ(boxes.delayText, "500");
}

TEST_F(SettingsControllerTest, CancelReloadsTheBoxesWithoutApplying) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  boxes.hotKeyText = "F12";
  boxes.delayText = "2000";
  dialog.BitBtn2Click();
  EXPECT_EQ(boxes.hotKeyText, "F5");
  EXPECT_EQ(boxes.delayText, "100");
  EXPECT_EQ(program.hotKey.Key(), 0x74);
  EXPECT_EQ(program.state.PasteDelayMs, 100);
  EXPECT_FALSE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, ChangeAppliedByReactivationSurvivesCancel) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  boxes.delayText = "3000";
  dialog.FormActivate();  // the user came back from another program
  dialog.BitBtn2Click();
  EXPECT_EQ(boxes.delayText, "100");
  EXPECT_EQ(program.state.PasteDelayMs, 3000);
}

TEST_F(SettingsControllerTest, CancelLeavesADownButtonWhileTheFlagReadsZero) {
  WriteFile("F5\r\n100\r\n0000000000\r\n");
  dialog.FormCreate();
  program.popup.crlfLfDown = true;  // "+CR" clicked down
  program.InitializeParameters("PgmUpdate");
  EXPECT_EQ(program.state.ParamFlags, "3000000000");
  Open();
  dialog.BitBtn2Click();
  EXPECT_TRUE(program.popup.crlfLfDown);
  EXPECT_EQ(program.state.ParamFlags, "0000000000");
  program.InitializeParameters("PgmUpdate");
  EXPECT_EQ(program.state.ParamFlags, "3000000000");
}

TEST_F(SettingsControllerTest, CancelDoesNotBringBackABadDelayFromTheFile) {
  WriteFile("F6\r\nabc\r\n0000000000\r\n");
  EXPECT_EQ(Message([&] { dialog.FormCreate(); }), "'abc' is not a valid integer value");
  Open();
  dialog.BitBtn2Click();
  EXPECT_EQ(boxes.delayText, "0");
  // Neither the next activation nor the next save sees the bad text again.
  EXPECT_EQ(Message([&] { Open(); }), "");
  program.Housekeeping();
  EXPECT_EQ(File(), "F6\r\n0\r\n0000000000\r\n");
}

TEST_F(SettingsControllerTest, CancelThatCannotReadStaysOpen) {
  StartAndOpen("F5\r\n100\r\n0000000000\r\n");
  files.unreadable.insert(prefsPath);
  EXPECT_EQ(Message([&] { dialog.BitBtn2Click(); }), "Cannot open file " + prefsPath);
  EXPECT_TRUE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, SettingsWhileOpenHidesTheListAndReportsModalError) {
  popupWindow.visible = true;
  dialog.SettingsClick();
  EXPECT_FALSE(popupWindow.visible);
  popupWindow.visible = true;
  EXPECT_EQ(Message([&] { dialog.SettingsClick(); }), "Cannot make a visible window modal");
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(settingsWindow.modalShows, 1);
  EXPECT_TRUE(settingsWindow.visible);
}

TEST_F(SettingsControllerTest, MakerLabelStaysUnderlinedAndOpensAMailLink) {
  dialog.RxLabel3MouseEnter();
  Open();
  EXPECT_TRUE(boxes.makerUnderlined);
  dialog.RxLabel3Click();
  EXPECT_EQ(desktop.mailLink.rfind("mailto:", 0), 0u);
  EXPECT_GT(desktop.mailLink.size(), 7u);
}

}  // namespace
}  // namespace qv
