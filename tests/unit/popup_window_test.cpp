#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "popup_test_support.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;

class PopupWindowTest : public PopupTest {
 protected:
  PopupWindowTest() { popupWindow.rect = {100, 50, 249, 496}; }

  void ExpectSavedAndEnding() {
    EXPECT_TRUE(program.state.terminateRequested);
    EXPECT_EQ(files.files.count(paths.rows), 1u);
    EXPECT_EQ(files.files.count(paths.store), 1u);
    EXPECT_EQ(files.files.count(paths.prefs), 1u);
  }
};

TEST_F(PopupWindowTest, HotKeyShowsTheFirstPageCentredWithThePointerOnThePanel) {
  program.popup.topRow = 30;
  program.popup.horizontalExtent = 900;
  program.popup.listsEnabled = false;

  popup.HotKey1HotKey();

  EXPECT_EQ(popupWindow.rect.left, (1280 - 249) / 2);
  EXPECT_EQ(popupWindow.rect.top, 50);
  EXPECT_TRUE(popupWindow.visible);
  EXPECT_TRUE(popupWindow.panelFocused);
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_EQ(program.popup.horizontalExtent, 0);
  EXPECT_TRUE(program.popup.listsEnabled);
  EXPECT_EQ(program.popup.timer3Interval, 100);
  EXPECT_EQ(program.state.PopupShown, 1);
  EXPECT_THAT(desktop.log,
              ElementsAre("foreground", "restore", "show", "pointer 761,150", "raise"));
}

TEST_F(PopupWindowTest, SecondHotKeyHidesButKeepsTimerAndScroll) {
  ShowByHotKey();
  program.popup.topRow = 36;
  popupWindow.rect.left = 5;

  popup.HotKey1HotKey();

  EXPECT_EQ(popupWindow.rect.left, 515);  // re-centred before hiding
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 0);
  EXPECT_EQ(program.popup.timer3Interval, 100);
  EXPECT_EQ(program.popup.topRow, 36);
  EXPECT_THAT(desktop.log, ElementsAre("hide"));
}

TEST_F(PopupWindowTest, ShowingAgainAfterScrollingShowsTheFirstPage) {
  ShowByHotKey();
  program.popup.topRow = 36;
  popup.HotKey1HotKey();
  popup.HotKey1HotKey();
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_TRUE(popupWindow.visible);
}

TEST_F(PopupWindowTest, CentringDividesTowardZeroOnANarrowDesktop) {
  desktop.desktop = {200, 150};
  popup.HotKey1HotKey();
  EXPECT_EQ(popupWindow.rect.left, -24);  // (200 - 249) / 2, not -25
  EXPECT_EQ(desktop.pointer.x, -24 + 246);

  desktop.desktop = {1281, 1024};
  popup.HotKey1HotKey();
  EXPECT_EQ(popupWindow.rect.left, 516);
}

TEST_F(PopupWindowTest, HotKeyRecentresADraggedWindowButKeepsItsTop) {
  ShowByHotKey();
  popup.PanelMouseDown(40, 8);
  popup.PanelMouseMove(10, 108, true);
  EXPECT_EQ(popupWindow.rect.left, 485);
  EXPECT_EQ(popupWindow.rect.top, 150);

  popup.HotKey1HotKey();  // hide
  popup.HotKey1HotKey();  // show
  EXPECT_EQ(popupWindow.rect.left, 515);
  EXPECT_EQ(popupWindow.rect.top, 150);
  EXPECT_EQ(desktop.pointer.x, 515 + 246);
  EXPECT_EQ(desktop.pointer.y, 150 + 100);
}

TEST_F(PopupWindowTest, PointerFailureLeavesThePopupCountedAsHidden) {
  desktop.pointerFails = true;
  EXPECT_THROW(popup.HotKey1HotKey(), AppError);
  EXPECT_TRUE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 0);

  desktop.pointerFails = false;
  popup.HotKey1HotKey();  // shows again instead of hiding
  EXPECT_TRUE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 1);
}

TEST_F(PopupWindowTest, DragFollowsTheLeftButtonAlone) {
  popup.PanelMouseDown(20, 5);
  popup.PanelMouseMove(25, 15, true);
  EXPECT_EQ(popupWindow.rect.left, 105);
  EXPECT_EQ(popupWindow.rect.top, 60);
  // The control moved with the window, so the next move is reported against it again.
  popup.PanelMouseMove(18, 2, true);
  EXPECT_EQ(popupWindow.rect.left, 103);
  EXPECT_EQ(popupWindow.rect.top, 57);
}

TEST_F(PopupWindowTest, NoDragWithModifiersOrOtherButtons) {
  popup.PanelMouseDown(20, 5);
  popup.PanelMouseMove(200, 300, false);  // Ctrl held, right button, or no button
  EXPECT_EQ(popupWindow.rect.left, 100);
  EXPECT_EQ(popupWindow.rect.top, 50);
}

TEST_F(PopupWindowTest, PanelAndBannerShareOneDragOrigin) {
  popup.PanelMouseDown(20, 5);  // Panel1
  popup.PanelMouseDown(60, 9);  // Image1, the last press counts
  popup.PanelMouseMove(61, 10, true);
  EXPECT_EQ(popupWindow.rect.left, 101);
  EXPECT_EQ(popupWindow.rect.top, 51);
}

TEST_F(PopupWindowTest, LossOfActivationHidesEverything) {
  ShowByHotKey();
  program.popup.topRow = 36;
  popup.AppDeactivate();
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_EQ(program.state.PopupShown, 0);
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(program.popup.timer3Interval, 0);
  EXPECT_THAT(desktop.log, ElementsAre("hide taskbar", "hide"));
  EXPECT_FALSE(program.state.terminateRequested);
}

TEST_F(PopupWindowTest, CloseButtonHidesAndShowsTheFirstPageNextTime) {
  ShowByHotKey();
  program.popup.topRow = 20;
  popup.SpeedButton8Click();
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 0);
  EXPECT_EQ(program.popup.topRow, 0);
  EXPECT_EQ(program.popup.timer3Interval, 100);
  EXPECT_FALSE(program.state.terminateRequested);
}

TEST_F(PopupWindowTest, QuitSavesHidesAndEnds) {
  LoadThenForgetFiles();
  ShowByHotKey();
  popup.Quit1Click();
  ExpectSavedAndEnding();
  EXPECT_FALSE(popupWindow.visible);
  EXPECT_EQ(program.state.PopupShown, 0);
}

TEST_F(PopupWindowTest, QuitActsTheSameWhileEditing) {
  LoadThenForgetFiles();
  program.state.EditMode = 2;
  popupWindow.visible = true;
  popup.Quit1Click();
  ExpectSavedAndEnding();
  EXPECT_FALSE(popupWindow.visible);
}

TEST_F(PopupWindowTest, FirstActivationMinimisesOnce) {
  program.popup.horizontalExtent = 700;
  popup.FormActivate();
  EXPECT_EQ(program.popup.horizontalExtent, 0);
  EXPECT_TRUE(program.state.FirstActivationDone);
  program.popup.horizontalExtent = 700;
  popup.FormActivate();
  EXPECT_EQ(program.popup.horizontalExtent, 700);
  EXPECT_THAT(desktop.log, ElementsAre("minimise"));
}

TEST_F(PopupWindowTest, EditLockKeepsTheWindowAsItIs) {
  program.state.EditMode = 1;
  popupWindow.visible = true;
  program.popup.topRow = 20;
  program.popup.timer3Interval = 100;

  popup.HotKey1HotKey();
  popup.SpeedButton8Click();
  popup.AppDeactivate();
  program.state.EditMode = 2;
  popup.HotKey1HotKey();
  popup.AppDeactivate();

  EXPECT_TRUE(popupWindow.visible);
  EXPECT_EQ(popupWindow.rect.left, 100);
  EXPECT_EQ(program.popup.topRow, 20);
  EXPECT_EQ(program.popup.timer3Interval, 100);
  EXPECT_EQ(program.state.PopupShown, 0);
  EXPECT_TRUE(desktop.log.empty());
}

// One-shot mode: the window stays up at start-up and every way of dismissing it ends the
// program after writing the data files.
class OneShotWindowTest : public PopupWindowTest {
 protected:
  OneShotWindowTest() {
    program.state.OneShotMode = 1;
    LoadThenForgetFiles();
  }
};

TEST_F(OneShotWindowTest, FirstActivationDoesNotMinimise) {
  popup.FormActivate();
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_TRUE(program.state.FirstActivationDone);
  EXPECT_FALSE(program.state.terminateRequested);
}

TEST_F(OneShotWindowTest, HotKeyEndsTheProgramAndGoesOn) {
  popupWindow.visible = true;
  program.state.PopupShown = 0;
  popup.HotKey1HotKey();
  ExpectSavedAndEnding();
  EXPECT_EQ(program.state.PopupShown, 1);  // the rest of the handler still ran
}

TEST_F(OneShotWindowTest, LossOfActivationEndsTheProgram) {
  popupWindow.visible = true;
  popup.AppDeactivate();
  ExpectSavedAndEnding();
  EXPECT_FALSE(popupWindow.visible);
}

TEST_F(OneShotWindowTest, CloseButtonEndsTheProgram) {
  popupWindow.visible = true;
  popup.SpeedButton8Click();
  ExpectSavedAndEnding();
  EXPECT_FALSE(popupWindow.visible);
}

TEST_F(OneShotWindowTest, EditLockDoesNotStopTheEnd) {
  program.state.EditMode = 1;
  popupWindow.visible = true;
  popup.AppDeactivate();
  ExpectSavedAndEnding();
  EXPECT_TRUE(popupWindow.visible);  // the lock's test still stops the rest
}

TEST_F(OneShotWindowTest, FailedSaveEndsTheHandlerAndKeepsRunning) {
  files.failAtCall = 0;  // the first write of the save fails
  popupWindow.visible = true;
  EXPECT_THROW(popup.SpeedButton8Click(), AppError);
  EXPECT_FALSE(program.state.terminateRequested);
  EXPECT_TRUE(popupWindow.visible);
}

}  // namespace
}  // namespace qv::test
