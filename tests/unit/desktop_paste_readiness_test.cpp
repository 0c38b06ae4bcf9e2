// Ctrl+V is injected once the user has let go of Shift, Ctrl and Alt and the window that was
// in front is back; each wait ends at its bound. A key still held is let go for the paste; a
// window that does not come back gets no keys, and the user is told.
#include <gtest/gtest.h>

#include "desktop/paste_delivery.h"
#include "popup_test_support.h"

namespace qv::test {
namespace {

constexpr int kDelay = 100;
constexpr int kBound = kPasteReadinessBoundMs;
constexpr int kPoll = kPasteReadinessPollMs;

struct Case {
  int handBackMs;                    // after the minimise; -1 never
  std::int64_t releaseAfterPressMs;  // after the key press; -1 never
  bool pasted, altLetGo;
  std::int64_t earliest, latest;  // the moment of the keys or the notice, from the key press
};

class PasteReadinessTest : public PopupTest {};

TEST_F(PasteReadinessTest, CtrlVWaitsForReleasedModifiersAndTheTargetWithinBounds) {
  const Case cases[] = {
      {0, 0, true, false, kDelay, kDelay},  // the common case: no wait at all
      {160, 0, true, false, 160, 160 + kPoll},
      {0, 300, true, false, 300, 300 + kPoll},  // Alt+C: Alt still held after the delay
      {160, 400, true, false, 400, 400 + kPoll},
      {0, -1, true, true, kDelay + kBound, kDelay + kBound + kPoll},
      {-1, 0, false, false, kDelay + kBound, kDelay + kBound + kPoll},
      {-1, -1, false, false, kDelay + 2 * kBound, kDelay + 2 * kBound + 2 * kPoll},
  };
  program.state.PasteDelayMs = kDelay;
  for (const Case& c : cases) {
    ShowByHotKey();
    desktop.pastes.clear();
    desktop.notices.clear();
    desktop.handBackMs = c.handBackMs;
    const std::int64_t pressed = desktop.now;
    desktop.keyboard = {};  // Alt+C: left Alt down with the key
    desktop.keyboard.Press(kVkLeftAlt,
                           c.releaseAfterPressMs < 0 ? -1 : pressed + c.releaseAfterPressMs);
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.pastes.size(), c.pasted ? 1u : 0u)
        << c.handBackMs << " " << c.releaseAfterPressMs;
    const std::vector<KeyStroke> expected =
        PasteKeyStrokes(c.altLetGo ? HeldModifiers{.leftAlt = true} : HeldModifiers{});
    EXPECT_EQ(desktop.pastes.empty() ? expected : desktop.pastes[0], expected);
    EXPECT_EQ(desktop.notices.size(), c.pasted ? 0u : 1u);
    EXPECT_GE(desktop.now - pressed, c.earliest) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_LE(desktop.now - pressed, c.latest) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_EQ(desktop.clipboard, "clip 12");
  }
}

}  // namespace
}  // namespace qv::test
