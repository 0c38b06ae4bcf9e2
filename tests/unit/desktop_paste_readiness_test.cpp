// Ctrl+V is injected once the window that was in front is back and the user has let go of
// Shift, Ctrl and Alt; each wait ends at its bound and the paste then goes ahead.
#include <gtest/gtest.h>

#include "desktop/paste_readiness.h"
#include "popup_test_support.h"

namespace qv::test {
namespace {

constexpr int kDelay = 100;
constexpr int kBound = kPasteReadinessBoundMs;
constexpr int kPoll = kPasteReadinessPollMs;

struct Case {
  int handBackMs;                    // after the minimise; -1 never
  std::int64_t releaseAfterPressMs;  // after the key press; -1 never
  bool targetInFront, modifiersHeld;
  std::int64_t earliest, latest;  // the moment of Ctrl+V, from the key press
};

class PasteReadinessTest : public PopupTest {};

TEST_F(PasteReadinessTest, CtrlVWaitsForTheTargetAndReleasedModifiersWithinBounds) {
  const Case cases[] = {
      {0, 0, true, false, kDelay, kDelay},  // the common case: no wait at all
      {160, 0, true, false, 160, 160 + kPoll},
      {0, 300, true, false, 300, 300 + kPoll},  // Alt+C: Alt still held after the delay
      {160, 400, true, false, 400, 400 + kPoll},
      {-1, 0, false, false, kDelay + kBound, kDelay + kBound + kPoll},
      {0, -1, true, true, kDelay + kBound, kDelay + kBound + kPoll},
      {-1, -1, false, true, kDelay + 2 * kBound, kDelay + 2 * kBound + 2 * kPoll},
  };
  program.state.PasteDelayMs = kDelay;
  for (const Case& c : cases) {
    ShowByHotKey();
    desktop.pastes.clear();
    desktop.handBackMs = c.handBackMs;
    const std::int64_t pressed = desktop.now;
    desktop.modifiersReleasedAt = c.releaseAfterPressMs < 0 ? -1 : pressed + c.releaseAfterPressMs;
    popup.FormKeyDown('C');
    ASSERT_EQ(desktop.pastes.size(), 1u);
    const auto& paste = desktop.pastes[0];
    EXPECT_EQ(paste.targetInFront, c.targetInFront) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_EQ(paste.modifiersHeld, c.modifiersHeld) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_GE(paste.at - pressed, c.earliest) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_LE(paste.at - pressed, c.latest) << c.handBackMs << " " << c.releaseAfterPressMs;
    EXPECT_EQ(desktop.clipboard, "clip 12");
  }
}

}  // namespace
}  // namespace qv::test
