// The program answers Windows and the user while a paste waits: what runs meanwhile decides
// whether the keys still go out, and a paste that would go astray is told instead.
#include <gtest/gtest.h>

#include <functional>

#include "desktop/paste_delivery.h"
#include "popup_test_support.h"

namespace qv::test {
namespace {

class PasteWaitsTest : public PopupTest {
 protected:
  PasteWaitsTest() {
    program.state.PasteDelayMs = 5000;
    LoadThenForgetFiles();
    ShowByHotKey();
  }
  bool Saved() const { return files.files.count(paths.store) == 1; }
};

TEST_F(PasteWaitsTest, WhatRunsDuringTheDelayDecidesWhetherTheKeysGoOut) {
  const struct {
    const char* what;
    std::function<void()> meanwhile;
    std::size_t keys;
    const char* clipboard;
    bool saved, ended, shown;
    const char* notice;
  } cases[] = {
      {"session end query", [&] { EXPECT_EQ(program.WMQueryEndSession(), 1); }, 1, "clip 12", true,
       false, false, nullptr},
      {"Quit", [&] { popup.Quit1Click(); }, 0, "clip 12", true, true, false, nullptr},
      {"hot key", [&] { popup.HotKey1HotKey(); }, 0, "clip 12", false, false, true, nullptr},
      {"another paste", [&] { popup.HotKey1HotKey(), popup.FormKeyDown('D'); }, 1, "clip 13", false,
       false, false, nullptr},
      {"target closed", [&] { desktop.targetGone = true; }, 0, "clip 12", false, false, false,
       kTargetAwayMessage},
  };
  for (const auto& c : cases) {
    if (popup.state.PopupShown) popup.HotKey1HotKey();
    ShowByHotKey();
    files.files.clear();
    desktop.pastes.clear();
    desktop.notices.clear();
    desktop.targetGone = ended = desktop.quit = false;
    desktop.whileWaiting = c.meanwhile;
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.pastes.size(), c.keys) << c.what;
    EXPECT_EQ(desktop.clipboard, c.clipboard) << c.what;
    EXPECT_EQ(Saved(), c.saved) << c.what;
    EXPECT_EQ(ended, c.ended) << c.what;
    EXPECT_EQ(popupWindow.visible, c.shown) << c.what;
    EXPECT_EQ(popup.state.PopupShown, c.shown ? 1 : 0) << c.what;
    const std::vector<std::string> notices{c.notice ? 1u : 0u, c.notice ? c.notice : ""};
    EXPECT_EQ(desktop.notices, notices) << c.what;
  }
}

// One-shot mode: the deactivation the paste causes arrives during the wait; the program ends
// once the keys are out, not before.
TEST_F(PasteWaitsTest, OneShotEndsAfterThePasteNotDuringItsWait) {
  program.state.OneShotMode = 1;
  bool endedDuringWait = true;
  desktop.whileWaiting = [&] {
    popup.AppDeactivate();
    endedDuringWait = ended;
  };
  popup.FormKeyDown('C');
  EXPECT_FALSE(endedDuringWait);
  EXPECT_EQ(desktop.pastes.size(), 1u);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(Saved());
}

TEST_F(PasteWaitsTest, ElevatedTargetIsToldOnceAndKeysWindowsBlocksAreTold) {
  desktop.targetLevel = 0x3000;
  desktop.ownLevel = 0x2000;
  for (unsigned key : {'C', 'D'}) {
    ShowByHotKey();
    popup.FormKeyDown(key);
  }
  EXPECT_TRUE(desktop.pastes.empty());
  EXPECT_EQ(desktop.notices, std::vector<std::string>{kElevatedTargetMessage});
  desktop.notices.clear();
  desktop.targetLevel = desktop.ownLevel;
  desktop.keysAccepted = 0;
  ShowByHotKey();
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.notices, std::vector<std::string>{kKeysBlockedMessage});
  EXPECT_EQ(desktop.clipboard, "clip 12");
}

// A list without the keyboard would let the slot keys fall into the user's document.
TEST_F(PasteWaitsTest, ListThatCannotTakeTheKeyboardIsTriedAgainThenHiddenAndTold) {
  for (const auto& [refusals, shown] : {std::pair(3, true), std::pair(4, false)}) {
    popup.HotKey1HotKey();  // hides
    desktop.notices.clear();
    desktop.foregroundRefusals = refusals;
    popup.HotKey1HotKey();
    EXPECT_EQ(popupWindow.visible, shown) << refusals;
    EXPECT_EQ(popup.state.PopupShown, shown ? 1 : 0) << refusals;
    EXPECT_EQ(desktop.notices.size(), shown ? 0u : 1u) << refusals;
  }
}

}  // namespace
}  // namespace qv::test
