// Handlers that run while another waits in a modal loop work on the controls as they are,
// and what they change stays when the outer handler goes on.
#include <gtest/gtest.h>

#include "popup_test_support.h"
#include "settings/settings_controller.h"

namespace qv::test {
namespace {

class NestedHandlersTest : public PopupTest {
 protected:
  SettingsController& settings = program.settings;

  NestedHandlersTest() {
    files.files[paths.prefs] = "F5\r\n100\r\n0000000000\r\n";
    program.LoadPreferences();
  }
};

TEST_F(NestedHandlersTest, ListWorksWhileTheSettingsDialogIsModal) {
  settingsWindow.whileModal = [&] {
    popup.HotKey1HotKey();
    slotList.SetTopRow(36);  // the user pages down
    popup.Timer3Timer();
    popup.Timer3Timer();
    EXPECT_EQ(slotList.TopRow(), 36);
    EXPECT_EQ(labelColumn.TopRow(), 36);
    slotList.Select(40);  // a click on a row of the second page
    popup.RxCheckListBox1Click();
    EXPECT_EQ(desktop.clipboard, "clip 40");
    EXPECT_TRUE(settingsWindow.Visible());
    settings.BitBtn2Click();  // Cancel still closes the dialog
  };
  settings.SettingsClick();
  EXPECT_FALSE(settingsWindow.Visible());
  EXPECT_EQ(desktop.clipboard, "clip 40");
  EXPECT_EQ(slotList.Selection(), -1);
  EXPECT_EQ(slotList.TopRow(), 0);
  EXPECT_EQ(popup.state.PopupShown, 0);
}

// The tray menu runs "Settings..." again while the dialog is up: the error, and the dialog
// keeps its modal showing.
TEST_F(NestedHandlersTest, SettingsAgainWhileModalReportsTheErrorAndKeepsTheDialog) {
  std::string error;
  settingsWindow.whileModal = [&] {
    error = ErrorOf([&] { settings.SettingsClick(); });
    delayBox.SetText("250");
    settings.BitBtn1Click();
  };
  settings.SettingsClick();
  EXPECT_EQ(error, "Cannot make a visible window modal");
  EXPECT_EQ(settingsWindow.modalShows, 1);
  EXPECT_EQ(program.state.PasteDelayMs, 250);
  EXPECT_EQ(files.files[paths.prefs], "F5\r\n250\r\n0000000000\r\n");
}

}  // namespace
}  // namespace qv::test
