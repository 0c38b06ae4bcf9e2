// The X11 program's own rules: every hot key Settings offers becomes a keysym that comes back
// as the same key; slot keys are the same keys on either case; an INCR transfer sends the clip
// in pieces and ends with an empty one.
#include "linux/base/key_map.h"

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "desktop/shortcut.h"
#include "settings/settings_choices.h"
#include "x11/services/clipboard_owner.h"

namespace qv {
namespace {

TEST(X11KeyMapTest, EverySettingsChoiceHasAKeysymThatMapsBack) {
  for (const char* choice : kHotKeyChoices) {
    const unsigned vk = ParseShortcut(choice, PlainKeyboardLayout()) & 0xFF;
    const KeySymbol keysym = KeysymForVirtualKey(vk);
    EXPECT_NE(keysym, 0u) << choice;
    EXPECT_EQ(VirtualKeyForKeysym(keysym), vk) << choice;
  }
}

TEST(X11KeyMapTest, SlotKeysAndKeysThatChooseNothing) {
  const struct {
    KeySymbol keysym;
    unsigned vk;
  } cases[] = {{XK_a, 'A'},        {XK_Z, 'Z'},        {XK_0, '0'},
               {XK_9, '9'},        {XK_KP_1, 0x61},    {XK_F5, 0x74},
               {XK_KP_Down, 0x28}, {XK_Cyrillic_a, 0}, {XK_dead_acute, 0}};
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyForKeysym(c.keysym), c.vk) << c.keysym;
}

TEST(X11ClipboardTest, IncrPiecesCoverTheClipAndEndEmpty) {
  std::size_t offset = 0, pieces = 0;
  while (const std::size_t piece = IncrPieceSize(2'000'001, offset, 262'144)) {
    offset += piece;
    ++pieces;
  }
  EXPECT_EQ(offset, 2'000'001u);
  EXPECT_EQ(pieces, 8u);
  EXPECT_EQ(IncrPieceSize(0, 0, 100), 0u);
}

}  // namespace
}  // namespace qv
