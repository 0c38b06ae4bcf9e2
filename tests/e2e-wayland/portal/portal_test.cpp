// The portal clients against the fake portal that portal.sh runs on a private session bus.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop/wayland_keys.h"
#include "linux/dbus/session_bus.h"
#include "wayland/portal/portal_keyboard.h"
#include "wayland/portal/portal_shortcuts.h"

namespace qv::wayland {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class PortalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bus) << "no bus: run through tests/e2e-wayland/portal.sh";
    std::ofstream(state + "/log", std::ios::trunc);
  }
  // The program's poll loop until `done` holds; false after 20 s.
  bool RunUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::vector<pollfd> fds;
      int timeoutMs = 100;
      bus->AddWaits(fds, timeoutMs);
      poll(fds.data(), fds.size(), timeoutMs);
      bus->Dispatch(fds);
    }
    return true;
  }
  void UserDoes(const char* method, std::vector<std::string> args) {
    bus->Call(
        nullptr, "org.quorvanel.FakePortal", kPortalPath, method,
        [&](PortalBus::Writer& w) {
          for (auto& arg : args) w.String(arg);
        },
        nullptr);
  }
  const char* stateDir = std::getenv("QV_FAKE_PORTAL_STATE");
  std::string state = stateDir ? stateDir : "";
  std::unique_ptr<PortalBus> bus =
      PortalBus::Connect(dbus::SessionBusAddress(), "org.quorvanel.Clips");
};

TEST_F(PortalTest, TheSettingsKeyIsOfferedAndItsActivationCallsUpTheList) {
  int activations = 0;
  PortalShortcuts shortcuts(*bus, "show-list", "Show the clip list", {[&] { ++activations; }, {}});
  shortcuts.Bind(PortalTrigger(ParseShortcut("Ctrl+Alt+Down", PlainKeyboardLayout())));
  ASSERT_TRUE(RunUntil([&] { return shortcuts.State() == PortalState::Working; }));
  EXPECT_EQ(shortcuts.Trigger(), "CTRL+ALT+Down");
  UserDoes("Press", {"show-list"});
  EXPECT_TRUE(RunUntil([&] { return activations == 1; }));
  UserDoes("Rebind", {"show-list", "LOGO+v"});
  EXPECT_TRUE(RunUntil([&] { return shortcuts.Trigger() == "LOGO+v"; })) << "the tip names it";
}

TEST_F(PortalTest, APortalWithoutShortcutsIsTold) {  // Debian 12's, for one
  std::ofstream(state + "/old");
  PortalShortcuts shortcuts(*bus, "show-list", "Show the clip list", {});
  shortcuts.Bind("F5");
  EXPECT_TRUE(RunUntil([&] { return shortcuts.State() == PortalState::Unavailable; }));
  std::filesystem::remove(state + "/old");
}

TEST_F(PortalTest, ConsentIsAskedOnceAndThePasteTypesCtrlV) {
  const std::string folder = state + "/data/";
  std::filesystem::create_directories(folder);
  std::string firstToken;
  {
    PortalKeyboard keys(*bus, folder, {});
    keys.Start();
    ASSERT_TRUE(RunUntil([&] { return keys.State() == PortalState::Working; }));
    firstToken = ReadFile(keys.TokenPath());
  }
  PortalKeyboard keys(*bus, folder, {});  // the next start
  keys.Start();
  ASSERT_TRUE(RunUntil([&] { return keys.State() == PortalState::Working; }));
  EXPECT_NE(ReadFile(keys.TokenPath()), firstToken) << "a restore token is single-use";
  EXPECT_EQ(keys.SendKeys(PasteKeyStrokes({})), 4u);
  const char* expected = "consent\nkey 29 1\nkey 47 1\nkey 47 0\nkey 29 0\n";
  EXPECT_TRUE(RunUntil([&] { return ReadFile(state + "/log") == expected; }))
      << ReadFile(state + "/log");
}

TEST_F(PortalTest, ARefusedConsentIsToldAndTypesNothing) {
  std::ofstream(state + "/refuse");
  int told = 0;
  PortalKeyboard keys(*bus, state + "/refused/", [&] { ++told; });
  keys.Start();
  EXPECT_TRUE(RunUntil([&] { return keys.State() == PortalState::Refused && told > 0; }));
  EXPECT_EQ(keys.SendKeys(PasteKeyStrokes({})), 0u);
  std::filesystem::remove(state + "/refuse");
}

}  // namespace
}  // namespace qv::wayland
