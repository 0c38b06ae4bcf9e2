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
  PasteWaitsTest() { program.state.PasteDelayMs = 5000; }
};

TEST_F(PasteWaitsTest, WhatRunsDuringTheDelayDecidesWhetherTheKeysGoOut) {
  const struct {
    const char* what;
    std::function<void()> meanwhile;
    std::size_t keys;
    const char* clipboard;
    bool saved, ended, shown;
    std::string notice = "";
  } cases[] = {
      {"session end", [&] { EXPECT_EQ(program.WMQueryEndSession(), 1); }, 1, "clip 12", true, false,
       false},
      {"Quit", [&] { popup.Quit1Click(); }, 0, "clip 12", true, true, false},
      {"hot key", [&] { popup.HotKey1HotKey(); }, 0, "clip 12", false, false, true},
      {"next paste", [&] { popup.HotKey1HotKey(), popup.FormKeyDown('D'); }, 1, "clip 13", false,
       false, false},
      {"target closed", [&] { desktop.targetGone = true; }, 0, "clip 12", false, false, false,
       kTargetAwayMessage},
      {"elevated target", [&] { desktop.targetLevel = 0x3000; }, 0, "clip 12", false, false, false,
       kElevatedTargetMessage},
      {"keys blocked", [&] { desktop.keysAccepted = 0; }, 1, "clip 12", false, false, false,
       KeysBlockedMessage({})},
      // A box the program opens by itself (the data folder's news): after OK, no paste.
      {"box",
       [&] { program.DataFolderChanged("x (conflicted copy).qvl"), program.DataFolderQuiet(); }, 0,
       "clip 12", false, false, false},
      // The deactivation that the paste itself causes, in one-shot mode.
      {"one-shot", [&] { program.state.OneShotMode = 1, popup.AppDeactivate(); }, 1, "clip 12",
       true, true, false},
  };
  for (const auto& c : cases) {
    if (popup.state.PopupShown) popup.HotKey1HotKey();
    ShowByHotKey();
    LoadThenForgetFiles();
    desktop.pastes.clear(), desktop.notices.clear();
    desktop.targetGone = ended = desktop.quit = false;
    desktop.targetLevel = std::nullopt, desktop.ownLevel = 0x2000, desktop.keysAccepted = 9;
    desktop.whileWaiting = c.meanwhile;
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.pastes.size(), c.keys) << c.what;
    EXPECT_EQ(desktop.clipboard, c.clipboard) << c.what;
    EXPECT_EQ(files.files.count(paths.store), c.saved ? 1u : 0u) << c.what;
    EXPECT_EQ(ended, c.ended) << c.what;
    EXPECT_EQ(std::pair(popupWindow.visible, popup.state.PopupShown), std::pair(c.shown, +c.shown))
        << c.what;
    EXPECT_EQ(desktop.notices.empty() ? "" : desktop.notices[0], c.notice) << c.what;
  }
}

// A list without the keyboard would let the slot keys fall into the user's document.
TEST_F(PasteWaitsTest, ListThatCannotTakeTheKeyboardIsTriedAgainThenHiddenAndTold) {
  for (const auto& [refusals, shown] : {std::pair(4, false), std::pair(3, true)}) {
    desktop.foregroundRefusals = refusals, desktop.notices.clear();
    ShowByHotKey();
    EXPECT_EQ(std::pair(popupWindow.visible, popup.state.PopupShown), std::pair(shown, +shown));
    EXPECT_EQ(desktop.notices.size(), shown ? 0u : 1u) << refusals;
    EXPECT_EQ(desktop.pointer.x != 0, shown) << "the pointer moved only onto a list shown";
    if (shown) popup.HotKey1HotKey();
  }
}

// Do Not Disturb swallows the balloon: the tip keeps the notice until the list has shown it.
TEST_F(PasteWaitsTest, NoticeStaysInTheTipUntilTheListsHeaderShowsIt) {
  program.CheckHotKey();
  const std::string tip = trayTip.text;
  desktop.whileWaiting = [&] { desktop.targetGone = true; };
  ShowByHotKey();
  popup.FormKeyDown('C');
  EXPECT_EQ(std::pair(trayTip.text.substr(0, 19), headerNotice.text),
            std::pair(std::string("Nothing was pasted:"), std::string()));
  ShowByHotKey();
  EXPECT_EQ(headerNotice.text.substr(0, 24), "Nothing was pasted: the ");
  EXPECT_EQ(trayTip.text, tip);
  popup.HotKey1HotKey(), ShowByHotKey();
  EXPECT_EQ(headerNotice.text, "");
}

}  // namespace
}  // namespace qv::test
