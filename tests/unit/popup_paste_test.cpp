// Choosing a slot by key or row click and pasting its clip.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "popup_test_support.h"

namespace qv::test {
namespace {

using ::testing::ElementsAre;

class PopupPasteTest : public PopupTest {
 protected:
  PopupPasteTest() {
    program.state.PasteDelayMs = 250;
    ShowByHotKey();
  }

  void ExpectPasted(const std::string& text) {
    EXPECT_EQ(desktop.clipboard, text);
    EXPECT_THAT(desktop.log, ElementsAre("clipboard", "minimise", "hide", "wait 250", "ctrl+v"));
  }

  void ExpectNothingPasted() {
    EXPECT_TRUE(desktop.log.empty());
    EXPECT_EQ(desktop.clipboard, "");
    EXPECT_TRUE(popupWindow.visible);
    EXPECT_EQ(popup.state.PopupShown, 1);
  }
};

TEST_F(PopupPasteTest, KeyPastesTheRowBesideItsLabelInOrderAndResetsTheList) {
  slotList.SetTopRow(5);
  popup.FormKeyDown('C');
  ExpectPasted("clip 12");
  EXPECT_EQ(slotList.Selection(), -1);
  // The label timer runs on; the deactivation that follows stops it.
  EXPECT_EQ(State(), std::tuple(false, 0, 0, 100));

  slotList.SetTopRow(13);
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.clipboard, "clip 48");
  EXPECT_EQ(Fields(program.library.current), Fields(SlotOf(48)));
}

TEST_F(PopupPasteTest, OtherKeysOnlyClearTheSelection) {
  slotList.SetTopRow(20);
  for (unsigned vk : {0x10u, 0x11u, 0x1Bu, 0x60u, 0x61u, 0x69u, 0x74u, 0x26u, 0x6Eu}) {
    slotList.Select(7);
    popup.FormKeyDown(vk);
    EXPECT_EQ(slotList.Selection(), -1) << vk;
  }
  EXPECT_EQ(slotList.TopRow(), 20);
  ExpectNothingPasted();
}

// A 40-row list scrolls no further than row 4, so C always means row 12, which has no header.
TEST_F(PopupPasteTest, KeyForARowWithoutHeaderPastesNothing) {
  SetSlotCount(40);
  program.library.rows[12] = "a title without any tag, but longer than twenty-one";
  const std::string store = program.library.store;
  for (int top : {0, 4}) {
    slotList.SetTopRow(top);
    slotList.Select(7);
    popup.FormKeyDown('C');
    EXPECT_EQ(slotList.Selection(), -1);
    EXPECT_EQ(slotList.TopRow(), top);
  }
  EXPECT_EQ(program.library.store, store);
  EXPECT_EQ(Fields(program.library.current), Fields(CurrentSlot{}));
  ExpectNothingPasted();
  popup.FormKeyDown('1');  // row 36 does exist
  EXPECT_EQ(desktop.clipboard, "clip 36");
}

// The clip goes to the clipboard byte for byte with the suffix chosen; an empty one pastes the
// line break chosen, or with none leaves the clipboard as it was, types nothing and says so.
TEST_F(PopupPasteTest, ClipIsPastedExactlyWithItsSuffix) {
  const std::string clip = "first\r\n\r\nthird | with bar\r\n";
  SetContent(12, clip);
  const std::tuple<bool, bool, std::string> cases[] = {{false, false, ""},
                                                       {true, false, "\x0D\x0A"},
                                                       {false, true, "\x0D\x0A\x0A"},
                                                       {true, true, "\x0D\x0A"}};
  for (const auto& [crlfDown, crlfLfDown, suffix] : cases) {
    crlf.SetDown(crlfDown);
    crlfLf.SetDown(crlfLfDown);
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.clipboard, clip + suffix);
  }
  SetContent(3, "");
  ShowByHotKey();
  popup.FormKeyDown('4');
  crlf.SetDown(false), crlfLf.SetDown(false);
  ShowByHotKey(), popup.FormKeyDown('4');
  EXPECT_EQ(desktop.clipboard, "\x0D\x0A");  // from the first
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(desktop.notices.size(), 1u);
}

// Another program holding the clipboard is waited for a quarter second, handling messages;
// then the user is told without a box, and nothing is hidden.
TEST_F(PopupPasteTest, BusyClipboardIsTriedAgainThenToldBeforeAnythingIsHidden) {
  desktop.clipboardBusy = true;
  popup.FormKeyDown('C');
  EXPECT_EQ(std::count(desktop.log.begin(), desktop.log.end(), "clipboard"), 10);
  EXPECT_EQ(desktop.now, 225);
  EXPECT_EQ(desktop.notices.size() + 10 * desktop.messages.size(), 1u);  // no box
  EXPECT_EQ(slotList.Selection(), 12);
  EXPECT_EQ(State(), std::tuple(true, 1, 0, 100));
  desktop.whileWaiting = [&] { desktop.clipboardBusy = false; };
  desktop.log.clear();
  popup.FormKeyDown('C');
  EXPECT_EQ(desktop.clipboard, "clip 12");
  EXPECT_EQ(desktop.pastes.size(), 1u);
}

TEST_F(PopupPasteTest, PasteWaitIsBounded) {
  program.state.PasteDelayMs = -500;
  popup.FormKeyDown('C');
  program.state.PasteDelayMs = 2000000000;
  popup.FormKeyDown('C');
  EXPECT_THAT(desktop.log, ::testing::Contains("wait 0"));
  EXPECT_THAT(desktop.log, ::testing::Contains("wait " + std::to_string(kMaxPasteDelayMs)));
}

// Under the edit lock keys do nothing and a row click loads the row into the editor.
TEST_F(PopupPasteTest, EditLockIgnoresSlotKeysAndRowClicksRunTheEditorsRowLoad) {
  int loads = 0;
  popup.editorRowLoad = [&] { ++loads; };
  program.state.EditMode = 2;
  slotList.Select(7);
  slotList.SetTopRow(30);
  popup.FormKeyDown('C');
  popup.FormKeyDown(0x1B);
  EXPECT_EQ(slotList.Selection(), 7);
  program.state.EditMode = 1;
  popup.RxCheckListBox1Click();
  EXPECT_EQ(loads, 1);
  EXPECT_EQ(slotList.TopRow(), 30);
  popup.editorRowLoad = nullptr;  // not wired yet: still no paste
  popup.RxCheckListBox1Click();
  ExpectNothingPasted();
}

TEST_F(PopupPasteTest, RowClickPastesTheSelectedRow) {
  slotList.SetTopRow(30);
  slotList.Select(40);
  popup.RxCheckListBox1Click();
  ExpectPasted("clip 40");
  EXPECT_EQ(State(), std::tuple(false, 0, 0, 100));
  EXPECT_EQ(slotList.Selection(), -1);
  EXPECT_FALSE(ended);
}

// The header test is case-sensitive: a row without "/:hdr:\" pastes nothing.
TEST_F(PopupPasteTest, RowClickWithoutHeaderShowsTheFirstPage) {
  for (const std::string& row :
       {std::string("no tag here"), ComposeSlotRow("Slot 40", "/:HDR:\\TESTSLOT000040")}) {
    program.library.rows[40] = row;
    slotList.SetTopRow(30);
    slotList.Select(40);
    popup.RxCheckListBox1Click();
    ExpectNothingPasted();
    EXPECT_EQ(slotList.Selection(), 40);
    EXPECT_EQ(slotList.TopRow(), 0);
  }
}

TEST_F(PopupPasteTest, SuffixButtonClickStoresTheChoiceInParamFlags) {
  program.preferences.values.ParamFlags = "2000000000";
  crlf.SetDown(true);
  const std::pair<SuffixButton, char> clicks[] = {
      {SuffixButton::CrLf, '0'}, {SuffixButton::CrLfLf, '3'}, {SuffixButton::CrLf, '2'}};
  for (const auto& [button, flag] : clicks) {
    popup.SuffixButtonClick(button);
    EXPECT_EQ(program.preferences.values.ParamFlags, flag + std::string("000000000"));
  }
}

// One-shot mode: a row click ends the program right away, with or without a paste; a key
// leaves that to the loss of activation the paste causes; a busy clipboard ends nothing.
TEST_F(PopupPasteTest, OneShotRowClickEndsAndAKeyLeavesTheEndToTheDeactivation) {
  program.state.OneShotMode = 1;
  LoadThenForgetFiles();
  popup.FormKeyDown('C');
  ExpectPasted("clip 12");
  EXPECT_FALSE(ended);
  popup.AppDeactivate();
  EXPECT_TRUE(ended);

  ended = desktop.quit = false;
  files.files.clear();
  desktop.log.clear();
  slotList.Select(3);
  desktop.clipboardBusy = true;
  popup.RxCheckListBox1Click();
  EXPECT_FALSE(ended);
  EXPECT_EQ(slotList.Selection(), 3);
  desktop.clipboardBusy = false;
  desktop.log.clear();
  popup.RxCheckListBox1Click();
  ExpectPasted("clip 3");
  EXPECT_TRUE(ended);
  EXPECT_EQ(files.files.count(paths.store), 1u);

  ended = desktop.quit = false;
  desktop.log.clear();
  program.library.rows[3] = "no tag";
  slotList.Select(3);
  popup.RxCheckListBox1Click();
  EXPECT_TRUE(ended);
  EXPECT_EQ(desktop.log, std::vector<std::string>{});  // nothing pasted

  ended = false, popupWindow.visible = true;  // an empty slot's key ends one-shot mode too
  SetContent(5, ""), popup.FormKeyDown('6');
  EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace qv::test
