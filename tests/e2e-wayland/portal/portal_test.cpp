// The portal clients against the fake portal that portal.sh runs on a private session bus.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "desktop/paste_keystrokes.h"
#include "desktop/wayland_keys.h"
#include "wayland/portal/portals_loader.h"

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
    ASSERT_TRUE(portals) << "no bus or no library: run through tests/e2e-wayland/portal.sh";
    std::ofstream(state + "/log", std::ios::trunc);
  }
  // The program's poll loop until `done` holds; false after 20 s.
  bool RunUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::vector<pollfd> fds;
      int timeoutMs = 100;
      portals->AddWaits(fds, timeoutMs);
      poll(fds.data(), fds.size(), timeoutMs);
      portals->Dispatch(fds);
    }
    return true;
  }
  // What the user does in the desktop: the fake portal's own methods.
  void UserDoes(const std::string& methodAndArgs) {
    const std::string call =
        "gdbus call --session --dest org.freedesktop.portal.Desktop "
        "--object-path /org/freedesktop/portal/desktop "
        "--method org.quorvanel.FakePortal." +
        methodAndArgs + " >/dev/null";
    ASSERT_EQ(std::system(call.c_str()), 0) << call;
  }
  const char* stateDir = std::getenv("QV_FAKE_PORTAL_STATE");
  std::string state = stateDir ? stateDir : "";
  std::unique_ptr<Portals> portals = LoadPortals("org.quorvanel.Clips");
};

TEST_F(PortalTest, TheSettingsKeyIsOfferedAndItsActivationCallsUpTheList) {
  int activations = 0;
  auto shortcut =
      portals->Shortcut("show-list", "Show the clip list", {[&] { ++activations; }, {}});
  shortcut->Bind(PortalTrigger(ParseShortcut("Ctrl+Alt+Down", PlainKeyboardLayout())));
  ASSERT_TRUE(RunUntil([&] { return shortcut->State() == PortalState::Working; }));
  EXPECT_EQ(shortcut->Trigger(), "CTRL+ALT+Down");
  UserDoes("Press show-list");
  EXPECT_TRUE(RunUntil([&] { return activations == 1; }));
  UserDoes("Rebind show-list LOGO+v");
  EXPECT_TRUE(RunUntil([&] { return shortcut->Trigger() == "LOGO+v"; })) << "the tip names it";
}

TEST_F(PortalTest, APortalWithoutShortcutsIsTold) {  // Debian 12's, for one
  std::ofstream(state + "/old");
  auto shortcut = portals->Shortcut("show-list", "Show the clip list", {});
  shortcut->Bind("F5");
  EXPECT_TRUE(RunUntil([&] { return shortcut->State() == PortalState::Unavailable; }));
  std::filesystem::remove(state + "/old");
}

TEST_F(PortalTest, ConsentIsAskedOnceAndThePasteTypesCtrlV) {
  const std::string tokenPath = PortalTokenPath(state + "/");
  auto keyboard = portals->Keyboard(tokenPath, {});
  keyboard->Start();
  ASSERT_TRUE(RunUntil([&] { return keyboard->State() == PortalState::Working; }));
  const std::string firstToken = ReadFile(tokenPath);
  keyboard = portals->Keyboard(tokenPath, {});  // the next start
  keyboard->Start();
  ASSERT_TRUE(RunUntil([&] { return keyboard->State() == PortalState::Working; }));
  EXPECT_NE(ReadFile(tokenPath), firstToken) << "a restore token is single-use";
  EXPECT_EQ(PortalKeyInjection(*keyboard).SendKeys(PasteKeyStrokes({})), 4u);
  const char* expected = "consent\nkey 29 1\nkey 47 1\nkey 47 0\nkey 29 0\n";
  EXPECT_TRUE(RunUntil([&] { return ReadFile(state + "/log") == expected; }))
      << ReadFile(state + "/log");
}

TEST_F(PortalTest, ARefusedConsentIsToldAndTypesNothing) {
  std::ofstream(state + "/refuse");
  int told = 0;
  auto keyboard = portals->Keyboard(state + "/refused-token", [&] { ++told; });
  keyboard->Start();
  EXPECT_TRUE(RunUntil([&] { return keyboard->State() == PortalState::Refused && told > 0; }));
  EXPECT_EQ(PortalKeyInjection(*keyboard).SendKeys(PasteKeyStrokes({})), 0u);
  std::filesystem::remove(state + "/refuse");
}

}  // namespace
}  // namespace qv::wayland
