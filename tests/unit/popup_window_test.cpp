// Showing, hiding, moving and closing the pop-up window, in ordinary and one-shot mode.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "popup_test_support.h"

namespace qv::test {
namespace {

using std::tuple;
using ::testing::ElementsAre;

class PopupWindowTest : public PopupTest {
 protected:
  PopupWindowTest() { popupWindow.rect = {100, 50, 249, 496}; }

  void ExpectSavedAndEnding() {
    EXPECT_TRUE(ended);
    EXPECT_EQ(files.files.count(paths.rows), 1u);
    EXPECT_EQ(files.files.count(paths.store), 1u);
    EXPECT_EQ(files.files.count(paths.prefs), 1u);
  }
};

TEST_F(PopupWindowTest, HotKeyShowsTheFirstPageCentredWithThePointerOnThePanel) {
  slotList.SetTopRow(30);
  slotList.SetHorizontalExtent(900);
  slotList.SetEnabled(false);
  popup.HotKey1HotKey();
  EXPECT_EQ(State(), tuple(true, 1, 0, 100));
  EXPECT_EQ(popupWindow.rect.left, (1280 - 249) / 2);
  EXPECT_EQ(popupWindow.rect.top, 50);
  EXPECT_TRUE(panel.focused);
  EXPECT_EQ(slotList.HorizontalExtent(), 0);
  EXPECT_TRUE(slotList.Enabled());
  EXPECT_THAT(desktop.log,
              ElementsAre("foreground", "restore", "show", "raise", "pointer 761,150"));
}

TEST_F(PopupWindowTest, SecondHotKeyHidesButKeepsTimerAndScroll) {
  ShowByHotKey();
  slotList.SetTopRow(36);
  popupWindow.rect.left = 5;
  popup.HotKey1HotKey();
  EXPECT_EQ(State(), tuple(false, 0, 36, 100));
  EXPECT_EQ(popupWindow.rect.left, 515);  // re-centred before hiding
  EXPECT_THAT(desktop.log, ElementsAre("hide"));
}

// (200 - 249) / 2 is -24, which would leave the list's header off the monitor: it is kept
// inside, against the monitor's left and top edges.
TEST_F(PopupWindowTest, CentringDividesTowardZeroAndKeepsTheListOnItsMonitor) {
  desktop.desktop = {200, 150};
  popup.HotKey1HotKey();
  EXPECT_EQ(std::pair(popupWindow.rect.left, popupWindow.rect.top), std::pair(0, 0));
  EXPECT_EQ(desktop.pointer.x, 246);
  desktop.desktop = {1281, 1024};
  popup.HotKey1HotKey();
  EXPECT_EQ(popupWindow.rect.left, 516);
}

// At 150 % on the left one of two monitors, where the window in front is: centred there,
// and the pointer on the panel's right margin at that scale.
TEST_F(PopupWindowTest, HotKeyShowsTheListOnTheMonitorOfTheWindowInFrontAtItsScale) {
  popupLayout = PopupLayoutForDpi(144, 2);
  popupWindow.dpi = 144;
  popupWindow.rect = {100, 50, popupLayout.panel.width, popupLayout.panel.height};
  const Monitor left{{-1600, -200, 1600, 1200}, {-1600, -200, 1600, 1160}, 144, false};
  const Monitor primary{{0, 0, 1280, 1024}, {0, 0, 1280, 1000}, 96, true};
  desktop.monitors = {primary, left};
  desktop.front = WindowRect{-900, 100, 400, 300};
  desktop.pointer = {600, 500};  // the pointer does not count while a window is in front
  popup.HotKey1HotKey();
  EXPECT_EQ(std::pair(popupWindow.rect.left, popupWindow.rect.top), std::pair(-987, 50));
  EXPECT_EQ(std::pair(desktop.pointer.x, desktop.pointer.y), std::pair(-987 + 374 - 5, 50 + 150));
}

// The left button alone drags; Panel1 and Image1 share one origin, the last press counts.
TEST_F(PopupWindowTest, DragFollowsTheLeftButtonAloneAndTheHotKeyRecentresButKeepsTheTop) {
  const auto at = [&] { return std::pair(popupWindow.rect.left, popupWindow.rect.top); };
  popup.PanelMouseDown(20, 5);
  popup.PanelMouseMove(25, 15, true);
  EXPECT_EQ(at(), std::pair(105, 60));
  // The control moved with the window, so the next move is reported against it again.
  popup.PanelMouseMove(18, 2, true);
  EXPECT_EQ(at(), std::pair(103, 57));
  popup.PanelMouseMove(200, 300, false);  // Ctrl held, right button, or no button
  EXPECT_EQ(at(), std::pair(103, 57));
  popup.PanelMouseDown(60, 9);
  popup.PanelMouseMove(61, 110, true);
  EXPECT_EQ(at(), std::pair(104, 158));
  popup.HotKey1HotKey();
  EXPECT_EQ(at(), std::pair(515, 158));
  EXPECT_EQ(std::pair(desktop.pointer.x, desktop.pointer.y), std::pair(515 + 246, 158 + 100));
}

// The lock screen or a UAC prompt: the pointer stays, the list is shown all the same.
TEST_F(PopupWindowTest, PointerFailureSkipsOnlyThePointerStep) {
  desktop.pointerFails = true;
  popup.HotKey1HotKey();
  EXPECT_EQ(State(), tuple(true, 1, 0, 100));
  EXPECT_TRUE(desktop.messages.empty());
  popup.HotKey1HotKey();
  EXPECT_EQ(State(), tuple(false, 0, 0, 100));
}

TEST_F(PopupWindowTest, LossOfActivationHidesEverythingAndTheCloseButtonTheWindow) {
  ShowByHotKey();
  slotList.SetTopRow(36);
  popup.AppDeactivate();
  EXPECT_EQ(State(), tuple(false, 0, 0, 0));
  EXPECT_THAT(desktop.log, ElementsAre("hide taskbar", "hide"));

  ShowByHotKey();
  slotList.SetTopRow(20);
  popup.SpeedButton8Click();  // the next show starts at the first page
  EXPECT_EQ(State(), tuple(false, 0, 0, 100));
  EXPECT_FALSE(ended);
}

TEST_F(PopupWindowTest, QuitSavesHidesAndEndsEvenWhileEditing) {
  LoadThenForgetFiles();
  for (int editMode : {0, 2}) {
    files.files.clear();
    ended = false;
    program.state.EditMode = editMode;
    popupWindow.visible = true;
    popup.state.PopupShown = 1;
    popup.Quit1Click();
    ExpectSavedAndEnding();
    EXPECT_FALSE(popupWindow.visible);
    EXPECT_EQ(popup.state.PopupShown, 0);
  }
}

// An ordinary start minimises at the first activation only; one-shot mode stays on screen.
TEST_F(PopupWindowTest, FirstActivationMinimisesOnceExceptInOneShotMode) {
  for (int oneShot : {0, 1}) {
    program.state.OneShotMode = oneShot;
    popup.state.FirstActivationDone = false;
    desktop.log.clear();
    for (int extentAfter : {0, 700}) {
      slotList.SetHorizontalExtent(700);
      popup.FormActivate();
      EXPECT_EQ(slotList.HorizontalExtent(), extentAfter);
    }
    EXPECT_EQ(desktop.log,
              oneShot ? std::vector<std::string>{} : std::vector<std::string>{"minimise"});
    EXPECT_FALSE(ended);
  }
}

TEST_F(PopupWindowTest, EditLockKeepsTheWindowAsItIs) {
  program.state.EditMode = 1;
  popupWindow.visible = true;
  slotList.SetTopRow(20);
  timer3.SetInterval(100);
  popup.HotKey1HotKey();
  popup.SpeedButton8Click();
  popup.AppDeactivate();
  program.state.EditMode = 2;
  popup.HotKey1HotKey();
  popup.AppDeactivate();
  EXPECT_EQ(State(), tuple(true, 0, 20, 100));
  EXPECT_EQ(popupWindow.rect.left, 100);
  EXPECT_TRUE(desktop.log.empty());
}

// One-shot mode: every way of dismissing the window writes the data files and ends the
// program, even under the edit lock; the rest of the handler still runs unless locked.
TEST_F(PopupWindowTest, OneShotDismissalSavesAndEnds) {
  program.state.OneShotMode = 1;
  LoadThenForgetFiles();
  const struct {
    const char* name;
    void (PopupController::*handler)();
    bool visibleAfter;
    int shownAfter;
  } cases[] = {{"hot key", &PopupController::HotKey1HotKey, true, 1},
               {"deactivation", &PopupController::AppDeactivate, false, 0},
               {"close button", &PopupController::SpeedButton8Click, false, 0}};
  for (const auto& c : cases) {
    for (int editMode : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << c.name << " edit mode " << editMode);
      files.files.clear();
      ended = false;
      program.state.EditMode = editMode;
      popup.state.PopupShown = 0;
      popupWindow.visible = true;
      (program.popup.*c.handler)();
      ExpectSavedAndEnding();
      EXPECT_EQ(popupWindow.visible, editMode ? true : c.visibleAfter);
      EXPECT_EQ(popup.state.PopupShown, editMode ? 0 : c.shownAfter);
    }
  }
  files.files.clear();
  files.failAtCall = files.mutatingCalls;  // a failed save ends the handler, the program runs on
  ended = false;
  program.state.EditMode = 0;
  desktop.answers = {MessageAnswer::No};  // to "end without saving?"
  EXPECT_THROW(popup.SpeedButton8Click(), SilentAbort);
  EXPECT_FALSE(ended);
  EXPECT_TRUE(popupWindow.visible);
}

}  // namespace
}  // namespace qv::test
