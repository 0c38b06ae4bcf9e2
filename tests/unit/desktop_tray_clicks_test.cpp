#include <gtest/gtest.h>

#include <vector>

#include "desktop/tray_clicks.h"

namespace qv {
namespace {

using M = TrayMouse;
struct Case {
  const char* name;
  bool shellAsks;
  std::vector<M> messages;
  int opens;
};

// What the shell sends for each gesture: a right click ends in ContextMenu under the current
// version, a left click in Select, the keyboard sends KeySelect or ContextMenu alone.
TEST(TrayClicks, EachGestureOpensTheMenuOnceOrNot) {
  const Case cases[] = {
      {"right click, current version", true, {M::RightDown, M::RightUp, M::ContextMenu}, 1},
      {"right click, old version", false, {M::RightDown, M::RightUp}, 1},
      {"release without press", false, {M::RightUp}, 0},
      {"left click", true, {M::LeftUp, M::Select}, 0},
      {"Enter on the icon", true, {M::Select}, 1},
      {"Space on the icon", true, {M::KeySelect}, 1},
      {"menu key", true, {M::ContextMenu}, 1},
  };
  for (const Case& c : cases) {
    TrayClickTracker tracker(c.shellAsks);
    int opens = 0;
    for (M message : c.messages) opens += tracker.OnMouse(message) ? 1 : 0;
    EXPECT_EQ(c.opens, opens) << c.name;
  }
}

TEST(TrayClicks, AskWhileTheMenuIsUpOpensNoSecondMenu) {
  TrayClickTracker tracker(true);
  ASSERT_TRUE(tracker.OnMouse(M::KeySelect));
  tracker.MenuOpened();
  EXPECT_FALSE(tracker.OnMouse(M::KeySelect));
  tracker.MenuClosed();
  EXPECT_TRUE(tracker.OnMouse(M::ContextMenu));
}

}  // namespace
}  // namespace qv
