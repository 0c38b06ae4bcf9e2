// Ctrl+V goes out once the user has let go of Shift, Ctrl and Alt and the window that was in
// front is back; each wait ends at its bound. A modifier still held is let go for the keys; a
// window that does not come back gets no keys, and the user is told.
#include <gtest/gtest.h>

#include <optional>

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
  bool altStillDown;                 // the keys let go of the left Alt first
  std::int64_t earliest, latest;     // the moment of the keys, or of the notice
  bool pasted = true;
};

class PasteReadinessTest : public PopupTest {};

TEST_F(PasteReadinessTest, CtrlVWaitsForReleasedModifiersAndTheTargetWithinBounds) {
  const Case cases[] = {
      {0, 0, false, kDelay, kDelay},  // the common case: no wait at all
      {160, 0, false, 160, 160 + kPoll},
      {0, 300, false, 300, 300 + kPoll},  // Alt+C: Alt still held after the delay
      {160, 400, false, 400, 400 + kPoll},
      {0, -1, true, kDelay + kBound, kDelay + kBound + kPoll},  // Alt held for good
      {-1, 0, false, kDelay + kBound, kDelay + kBound + kPoll, false},
      {-1, -1, false, kDelay + 2 * kBound, kDelay + 2 * kBound + 2 * kPoll, false},
  };
  program.state.PasteDelayMs = kDelay;
  for (const Case& c : cases) {
    ShowByHotKey();
    desktop.pastes.clear();
    desktop.notices.clear();
    desktop.handBackMs = c.handBackMs;
    const std::int64_t pressed = desktop.now;
    desktop.modifiersReleasedAt = c.releaseAfterPressMs < 0 ? -1 : pressed + c.releaseAfterPressMs;
    popup.FormKeyDown('C');
    EXPECT_EQ(desktop.clipboard, "clip 12");
    const std::int64_t at = desktop.now - pressed;
    EXPECT_GE(at, c.earliest) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_LE(at, c.latest) << c.handBackMs << " " << c.releaseAfterPressMs;
    if (!c.pasted) {
      EXPECT_TRUE(desktop.pastes.empty());
      EXPECT_EQ(desktop.notices, std::vector<std::string>{kTargetAwayMessage});
      continue;
    }
    ASSERT_EQ(desktop.pastes.size(), 1u);
    EXPECT_TRUE(desktop.pastes[0].targetInFront);
    EXPECT_EQ(desktop.pastes[0].keys,
              PasteKeyStrokes(c.altStillDown ? desktop.held : HeldModifiers{}));
    EXPECT_TRUE(desktop.notices.empty());
  }
}

}  // namespace
}  // namespace qv::test
