// The system-wide hot key: registered once per value, released before a change and at the end.
#include <gtest/gtest.h>

#include <memory>

#include "desktop/global_hot_key.h"
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

}  // namespace
}  // namespace qv
