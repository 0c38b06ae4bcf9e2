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
};

TEST_F(GlobalHotKeyTest, SameKeyTwiceRegistersOnce) {
  hotKey->SetKey(0xC028);
  hotKey->SetKey(0xC028);
  EXPECT_EQ(api.log, (Log{"register 3 40"}));
  EXPECT_TRUE(hotKey->Registered());
}

TEST_F(GlobalHotKeyTest, ChangeUnregistersBeforeRegistering) {
  hotKey->SetKey(0xC028);
  hotKey->SetKey(0x0074);
  EXPECT_EQ(api.log, (Log{"register 3 40", "unregister", "register 0 116"}));
  EXPECT_EQ(hotKey->Key(), 0x0074);
}

TEST_F(GlobalHotKeyTest, MapsModifierBitsAndIgnoresBitsEightToTwelve) {
  hotKey->SetKey(0x2000 | 0x41);
  hotKey->SetKey(0x4000 | 0x41);
  hotKey->SetKey(0x8000 | 0x41);
  hotKey->SetKey(0xE000 | 0x1F00 | 0x74);
  EXPECT_EQ(api.log, (Log{"register 4 65", "unregister", "register 2 65", "unregister",
                          "register 1 65", "unregister", "register 7 116"}));
}

TEST_F(GlobalHotKeyTest, FailedRegistrationIsRetriedOnlyOnAChange) {
  api.refuse = true;
  hotKey->SetKey(0x74);
  EXPECT_FALSE(hotKey->Registered());
  hotKey->SetKey(0x74);  // same value: not tried again
  EXPECT_EQ(api.log, (Log{"register 0 116"}));
  api.refuse = false;
  hotKey->SetKey(0x75);  // nothing registered, so nothing to unregister
  EXPECT_EQ(api.log, (Log{"register 0 116", "register 0 117"}));
  EXPECT_TRUE(hotKey->Registered());
}

TEST_F(GlobalHotKeyTest, ZeroKeyIsRegisteredAsVirtualKeyZero) {
  hotKey->SetKey(0x74);
  hotKey->SetKey(0);
  EXPECT_EQ(api.log, (Log{"register 0 116", "unregister", "register 0 0"}));
}

TEST_F(GlobalHotKeyTest, EnabledSwitchesTheRegistration) {
  hotKey->SetEnabled(false);
  hotKey->SetKey(0x74);
  EXPECT_EQ(api.log, (Log{}));
  hotKey->SetEnabled(true);
  hotKey->SetEnabled(true);  // already registered
  hotKey->SetEnabled(false);
  EXPECT_EQ(api.log, (Log{"register 0 116", "unregister"}));
}

TEST_F(GlobalHotKeyTest, LoadedRegistersOnlyWhatIsNotRegistered) {
  hotKey->SetKey(0xC028);
  hotKey->Loaded();
  EXPECT_EQ(api.log, (Log{"register 3 40"}));
  api.refuse = true;
  hotKey->SetKey(0x74);
  api.refuse = false;
  hotKey->Loaded();
  EXPECT_EQ(api.log.back(), "register 0 116");
  EXPECT_TRUE(hotKey->Registered());
}

TEST_F(GlobalHotKeyTest, DestructionReleasesTheKey) {
  hotKey->SetKey(0x74);
  hotKey.reset();
  EXPECT_EQ(api.log, (Log{"register 0 116", "unregister"}));
}

TEST_F(GlobalHotKeyTest, FireRaisesOnHotKeyWhenSet) {
  hotKey->Fire();  // no handler: nothing happens
  int calls = 0;
  hotKey->OnHotKey = [&] { ++calls; };
  hotKey->Fire();
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace qv
