// The system-wide hot key: registered once per value, released before a change and at the end.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>
#include <sstream>

#include "desktop/global_hot_key.h"
#include "desktop/hot_key_repeats.h"
#include "fakes/fake_desktop.h"

namespace qv {
namespace {

using Log = std::vector<std::string>;

struct GlobalHotKeyTest : ::testing::Test {
  test::FakeHotKeyRegistration api;
  std::unique_ptr<GlobalHotKey> hotKey = std::make_unique<GlobalHotKey>(api);
  GlobalHotKeyTest() { hotKey->Loaded(); }  // no key yet: nothing registered
};

TEST_F(GlobalHotKeyTest, OnlyAChangeUnregistersAndRegistersAgain) {
  hotKey->SetKey(0xC028);
  hotKey->SetKey(0xC028);
  EXPECT_TRUE(hotKey->Works());
  hotKey->SetKey(0x74);
  hotKey->SetKey(0);  // registered as virtual key 0
  EXPECT_EQ(api.log,
            (Log{"register 3 40", "unregister", "register 0 116", "unregister", "register 0 0"}));
  EXPECT_EQ(hotKey->Key(), 0);
  hotKey.reset();
  EXPECT_EQ(api.log.back(), "unregister");
}

TEST_F(GlobalHotKeyTest, MapsModifierBitsAndIgnoresBitsEightToTwelve) {
  for (TShortCut key : {0x2041, 0x4041, 0x8041, 0xFF74}) hotKey->SetKey(key);
  EXPECT_EQ(api.log, (Log{"register 4 65", "unregister", "register 2 65", "unregister",
                          "register 1 65", "unregister", "register 7 116"}));
}

// A key another program holds is tried again whenever it is set, also to the same value.
TEST_F(GlobalHotKeyTest, FailedRegistrationIsRetriedWhenSetAgainOrWhenLoaded) {
  api.refuse = true;
  hotKey->SetKey(0x74);
  EXPECT_FALSE(hotKey->Works());
  hotKey->SetKey(0x74);
  api.refuse = false;
  hotKey->SetKey(0x75);  // nothing registered, so nothing to unregister
  EXPECT_EQ(api.log, (Log{"register 0 116", "register 0 116", "register 0 117"}));
  EXPECT_TRUE(hotKey->Works());
  hotKey->Loaded();  // already registered
  api.refuse = true;
  hotKey->SetKey(0x76);
  api.refuse = false;
  hotKey->Loaded();
  EXPECT_EQ(api.log, (Log{"register 0 116", "register 0 116", "register 0 117", "unregister",
                          "register 0 118", "register 0 118"}));
  EXPECT_TRUE(hotKey->Works());
  hotKey->SetKey(0);  // registered as virtual key 0, which no key press gives
  EXPECT_EQ(api.log.back(), "register 0 0");
  EXPECT_FALSE(hotKey->Works());
}

// Events: the hot key's message with its key Down or Up at a time (ms), or a look at the key
// between messages (d, u).
TEST(HotKeyRepeats, AHeldKeyTogglesOnceWhateverThePlatformRepeats) {
  const std::pair<const char*, int> cases[] = {
      {"D0 D500 D533 D566 u600 D900", 2},  // Wine's repeats, then a new press
      {"D0 u30 D150", 2},                  // a quick second press
      {"U0 D100", 2},                      // let go before the message came
      {"D0 D2000", 2},                     // let go unseen: no repeat comes that late
  };
  for (const auto& [events, toggles] : cases) {
    HotKeyRepeats repeats;
    int n = 0;
    std::istringstream in(events);
    for (std::string e; in >> e;) {
      const bool down = e[0] == 'D' || e[0] == 'd';
      if (std::islower(e[0]))
        repeats.LookedAt(down);
      else
        n += repeats.Pressed(down, std::stoll(e.substr(1)));
    }
    EXPECT_EQ(n, toggles) << events;
  }
}

}  // namespace
}  // namespace qv
