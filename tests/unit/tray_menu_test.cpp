// The tray menu, as both front ends hand its commands to the program: none lets a paste
// that waits out its delay go out later, and Quit asks about edits not yet written.
#include "tray/tray_menu.h"

#include <gtest/gtest.h>

#include "base/utf8_text.h"
#include "popup_test_support.h"
#include "tray/notice_board.h"

namespace qv::test {
namespace {

class FakeTrayDialogs : public TrayDialogs {
 public:
  std::string opened;
  void OpenSettings() override { opened += "settings"; }
  void OpenEditor() override { opened += "editor"; }
};

class TrayMenuTest : public PopupTest {
 protected:
  TrayMenuTest() { program.state.PasteDelayMs = 3000; }
  FakeTrayDialogs dialogs;
};

TEST_F(TrayMenuTest, EveryCommandDropsAWaitingPasteAndQuitWithUnwrittenEditsAsks) {
  const struct {
    TrayCommand command;
    bool unwrittenEdits;
    MessageAnswer answer;  // to "Clip may have been changed"
    const char* opened;
    bool asked, ended;
  } cases[] = {
      {TrayCommand::Settings, false, MessageAnswer::Ok, "settings", false, false},
      {TrayCommand::LockAndAdd, false, MessageAnswer::Ok, "editor", false, false},
      {TrayCommand::Quit, false, MessageAnswer::Ok, "", false, true},
      {TrayCommand::Quit, true, MessageAnswer::Yes, "", true, false},  // back to Update Clip
      {TrayCommand::Quit, true, MessageAnswer::No, "", true, true},
  };
  for (const auto& c : cases) {
    const std::string what = std::to_string(static_cast<int>(c.command)) + " " +
                             std::to_string(c.unwrittenEdits) + " " + c.opened;
    ShowByHotKey();
    LoadThenForgetFiles();
    desktop.pastes.clear(), desktop.messages.clear(), dialogs.opened.clear();
    ended = desktop.quit = false;
    desktop.whileWaiting = [&] {
      program.state.EditMode = c.unwrittenEdits ? 2 : 0;
      program.editor.state.ClipChanged = c.unwrittenEdits;
      desktop.answers = {c.answer};
      program.TrayMenuClick(c.command, dialogs);
    };
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.pastes.size(), 0u) << what;
    EXPECT_EQ(dialogs.opened, c.opened) << what;
    EXPECT_EQ(!desktop.messages.empty() && desktop.messages[0] == kCloseWarning, c.asked) << what;
    EXPECT_EQ(ended, c.ended) << what;
    program.state.EditMode = program.editor.state.ClipChanged = 0;
  }
}

// A tip cut inside a character is invalid UTF-8, which a StatusNotifierItem host's bus
// library answers by ending the program.
TEST(NoticeBoardTest, TipIsCutBetweenCharactersAtTheAreasLimit) {
  std::string cyrillic;
  for (int i = 0; i < 40; ++i) cyrillic += "\xD0\xB4";  // д
  const struct {
    std::size_t limit;
    std::string tip;
    std::size_t characters;
  } cases[] = {{127, "Quorvanel - hot key F5", 22},
               {5, "Quorvanel", 5},
               {63, "x" + cyrillic, 41},
               {32, "x" + cyrillic, 32},
               {3,
                "a\xF0\x9F\x93\x8B"
                "bc",
                3}};  // a character outside the BMP is one
  for (const auto& c : cases) {
    FakeDesktop desktop;
    FakeTip tip;
    NoticeBoard board(desktop, tip, c.limit, desktop);
    board.SetTip(c.tip);
    EXPECT_TRUE(IsValidUtf8(tip.text)) << c.limit;
    EXPECT_EQ(CharacterCount(tip.text), c.characters) << c.limit;
    EXPECT_EQ(c.tip.substr(0, tip.text.size()), tip.text) << c.limit;
  }
}

}  // namespace
}  // namespace qv::test
