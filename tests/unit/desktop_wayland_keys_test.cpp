// The hot key as the trigger a desktop's shortcut portal is offered, from the settings' text.
#include <gtest/gtest.h>

#include "desktop/shortcut.h"
#include "desktop/wayland_keys.h"

namespace qv {
namespace {

TEST(PortalTrigger, FromTheShortcutText) {
  const std::pair<const char*, const char*> cases[] = {
      {"F5", "F5"},
      {"Ctrl+Alt+Down", "CTRL+ALT+Down"},
      {"Shift+Ctrl+A", "CTRL+SHIFT+a"},
      {"^PgDn", "CTRL+Next"},
      {"Alt+Space", "ALT+space"},
      {"Ctrl+BkSp", "CTRL+BackSpace"},
      {"Alt+7", "ALT+7"},
      {"Shift+F24", "SHIFT+F24"},
      {"Ctrl+Enter", "CTRL+Return"},
      {"", ""},
  };
  for (const auto& [text, trigger] : cases)
    EXPECT_EQ(PortalTrigger(ParseShortcut(text, PlainKeyboardLayout())), trigger) << text;
  EXPECT_EQ(PortalTrigger(0x4000 | 0xBA), "") << "a punctuation key differs between layouts";
}

}  // namespace
}  // namespace qv
