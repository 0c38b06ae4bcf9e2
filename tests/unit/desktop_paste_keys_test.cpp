// What a paste sends when a modifier is still held, or when the target runs as administrator.
#include <gtest/gtest.h>

#include <vector>

#include "desktop/elevated_paste_target.h"
#include "desktop/paste_keystrokes.h"

namespace qv {
namespace {

const std::vector<KeyStroke> kCtrlV{
    {kVkControl, false}, {kVkV, false}, {kVkV, true}, {kVkControl, true}};

std::vector<KeyStroke> Then(std::vector<KeyStroke> first) {
  first.insert(first.end(), kCtrlV.begin(), kCtrlV.end());
  return first;
}

TEST(PasteKeyStrokes, HeldShiftAltAndWindowsKeysAreLetGoFirstWithoutOpeningAMenu) {
  const KeyStroke tap[] = {{kVkNeutral, false}, {kVkNeutral, true}};
  const struct {
    HeldModifiers held;
    std::vector<KeyStroke> expected;
  } cases[] = {
      {{}, kCtrlV},
      {{.rightShift = true}, Then({{kVkRightShift, true}})},
      {{.leftAlt = true}, Then({tap[0], tap[1], {kVkLeftAlt, true}})},
      {{.leftShift = true, .rightAlt = true},
       Then({tap[0], tap[1], {kVkLeftShift, true}, {kVkRightAlt, true, true}})},
      {{.leftWin = true}, Then({tap[0], tap[1], {kVkLeftWin, true, true}})},
  };
  for (const auto& c : cases) EXPECT_EQ(PasteKeyStrokes(c.held), c.expected);
}

TEST(ElevatedPasteTarget, AHigherTargetGetsNoKeysAndTheUserIsToldOnce) {
  constexpr IntegrityLevel kMedium = 0x2000, kHigh = 0x3000;
  ElevatedPasteTarget rule;
  EXPECT_EQ(rule.Route(std::nullopt, std::nullopt), PasteRoute::Inject);  // Wine
  EXPECT_EQ(rule.Route(kMedium, kMedium), PasteRoute::Inject);
  EXPECT_EQ(rule.Route(kMedium, kHigh), PasteRoute::Inject);
  EXPECT_EQ(rule.Route(kHigh, std::nullopt), PasteRoute::Inject);
  EXPECT_EQ(rule.Route(kHigh, kMedium), PasteRoute::TellAndLeave);
  EXPECT_EQ(rule.Route(kHigh, kMedium), PasteRoute::Leave);
  EXPECT_EQ(rule.Route(kMedium, kMedium), PasteRoute::Inject);
}

}  // namespace
}  // namespace qv
