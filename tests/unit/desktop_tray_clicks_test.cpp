#include <gtest/gtest.h>

#include <vector>

#include "tray/tray_clicks.h"

namespace qv {
namespace {

using M = TrayMouse;

// What the shell sends for each gesture; once open, the menu stays up for the rest.
TEST(TrayClicks, EachGestureOpensTheMenuOnceOrNot) {
  const struct {
    bool shellAsks;
    std::vector<M> messages;
    int opens;
  } cases[] = {
      {true, {M::RightDown, M::RightUp, M::ContextMenu}, 1},
      {false, {M::RightDown, M::RightUp}, 1},
      {false, {M::RightUp}, 0},
      {true, {M::LeftUp, M::Select}, 0},
      {true, {M::Select, M::KeySelect}, 1},  // Enter comes twice
      {true, {M::KeySelect}, 1},
      {true, {M::ContextMenu}, 1},
  };
  for (const auto& c : cases) {
    TrayClickTracker tracker(c.shellAsks);
    int opens = 0;
    for (M message : c.messages)
      if (tracker.OnMouse(message)) ++opens, tracker.MenuOpened();
    EXPECT_EQ(c.opens, opens) << c.messages.size();
  }
}

}  // namespace
}  // namespace qv
