// The X11 program's own rules: every hot key Settings offers becomes a keysym that comes back
// as the same key; slot keys are the same keys on either case; an INCR transfer sends the clip
// in pieces and ends with an empty one; the clip's bytes as STRING and as drawn text.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <string>

#include "desktop/shortcut.h"
#include "settings/settings_choices.h"
#include "x11/base/key_map.h"
#include "x11/base/text_bytes.h"
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

// What xclip -t STRING and the list's text show, for UTF-8 clips and for 8-bit files' bytes.
TEST(X11TextBytesTest, Latin1ForStringAndUtf8ForDrawing) {
  const struct {
    std::string bytes, latin1, drawn;
  } cases[] = {
      {"plain\r\n", "plain\r\n", "plain\r\n"},
      {"caf\xC3\xA9", "caf\xE9", "caf\xC3\xA9"},  // UTF-8 e-acute
      {"\xD0\x94"
       "a",
       "?a",
       "\xD0\x94"
       "a"},                                                   // Cyrillic: not in Latin-1
      {"caf\xE9", "caf\xE9", "caf\xC3\xA9"},                   // an 8-bit file's e-acute
      {std::string("a\0b", 3), std::string("a\0b", 3), "ab"},  // NUL is drawn as nothing
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Latin1Text(c.bytes), c.latin1) << c.bytes;
    EXPECT_EQ(DisplayableText(c.bytes), c.drawn) << c.bytes;
  }
}

}  // namespace
}  // namespace qv
