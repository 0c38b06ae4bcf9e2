#include "linux/base/key_map.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>

namespace qv {

namespace {

struct KeyPair {
  unsigned virtualKey;
  KeySymbol keysym;
};

// Keys whose keysym is not found by a rule below.
constexpr std::array<KeyPair, 30> kKeys{{
    {0x08, XKB_KEY_BackSpace}, {0x09, XKB_KEY_Tab},         {0x0D, XKB_KEY_Return},
    {0x1B, XKB_KEY_Escape},    {0x20, XKB_KEY_space},       {0x21, XKB_KEY_Prior},
    {0x22, XKB_KEY_Next},      {0x23, XKB_KEY_End},         {0x24, XKB_KEY_Home},
    {0x25, XKB_KEY_Left},      {0x26, XKB_KEY_Up},          {0x27, XKB_KEY_Right},
    {0x28, XKB_KEY_Down},      {0x2D, XKB_KEY_Insert},      {0x2E, XKB_KEY_Delete},
    {0x13, XKB_KEY_Pause},     {0x14, XKB_KEY_Caps_Lock},   {0x2C, XKB_KEY_Print},
    {0x90, XKB_KEY_Num_Lock},  {0x91, XKB_KEY_Scroll_Lock}, {0x6A, XKB_KEY_KP_Multiply},
    {0x6B, XKB_KEY_KP_Add},    {0x6D, XKB_KEY_KP_Subtract}, {0x6E, XKB_KEY_KP_Decimal},
    {0x6F, XKB_KEY_KP_Divide}, {0x10, XKB_KEY_Shift_L},     {0x11, XKB_KEY_Control_L},
    {0x12, XKB_KEY_Alt_L},     {0x5B, XKB_KEY_Super_L},     {0x5D, XKB_KEY_Menu},
}};

}  // namespace

KeySymbol KeysymForVirtualKey(unsigned vk) {
  if ((vk >= '0' && vk <= '9')) return XKB_KEY_0 + (vk - '0');
  if (vk >= 'A' && vk <= 'Z') return XKB_KEY_a + (vk - 'A');
  if (vk >= 0x60 && vk <= 0x69) return XKB_KEY_KP_0 + (vk - 0x60);
  if (vk >= 0x70 && vk <= 0x87) return XKB_KEY_F1 + (vk - 0x70);
  for (const KeyPair& key : kKeys)
    if (key.virtualKey == vk) return key.keysym;
  return 0;
}

unsigned VirtualKeyForKeysym(KeySymbol keysym) {
  if (keysym >= XKB_KEY_0 && keysym <= XKB_KEY_9)
    return static_cast<unsigned>('0' + (keysym - XKB_KEY_0));
  if (keysym >= XKB_KEY_a && keysym <= XKB_KEY_z)
    return static_cast<unsigned>('A' + (keysym - XKB_KEY_a));
  if (keysym >= XKB_KEY_A && keysym <= XKB_KEY_Z)
    return static_cast<unsigned>('A' + (keysym - XKB_KEY_A));
  if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9)
    return static_cast<unsigned>(0x60 + (keysym - XKB_KEY_KP_0));
  if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F24)
    return static_cast<unsigned>(0x70 + (keysym - XKB_KEY_F1));
  for (const KeyPair& key : kKeys)
    if (key.keysym == keysym) return key.virtualKey;
  // The keypad's keys without NumLock move as their main keys do.
  switch (keysym) {
    case XKB_KEY_KP_Left:
      return 0x25;
    case XKB_KEY_KP_Up:
      return 0x26;
    case XKB_KEY_KP_Right:
      return 0x27;
    case XKB_KEY_KP_Down:
      return 0x28;
    case XKB_KEY_KP_Enter:
      return 0x0D;
    case XKB_KEY_Shift_R:
      return 0x10;
    case XKB_KEY_Control_R:
      return 0x11;
    case XKB_KEY_Alt_R:
      return 0x12;
    default:
      return 0;
  }
}

}  // namespace qv
