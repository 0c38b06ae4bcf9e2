#include "linux/base/key_map.h"

#include <X11/keysym.h>

#include <array>

namespace qv {

namespace {

struct KeyPair {
  unsigned virtualKey;
  KeySymbol keysym;
};

// Keys whose keysym is not found by a rule below.
constexpr std::array<KeyPair, 30> kKeys{{
    {0x08, XK_BackSpace},   {0x09, XK_Tab},     {0x0D, XK_Return},      {0x1B, XK_Escape},
    {0x20, XK_space},       {0x21, XK_Prior},   {0x22, XK_Next},        {0x23, XK_End},
    {0x24, XK_Home},        {0x25, XK_Left},    {0x26, XK_Up},          {0x27, XK_Right},
    {0x28, XK_Down},        {0x2D, XK_Insert},  {0x2E, XK_Delete},      {0x13, XK_Pause},
    {0x14, XK_Caps_Lock},   {0x2C, XK_Print},   {0x90, XK_Num_Lock},    {0x91, XK_Scroll_Lock},
    {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},  {0x6D, XK_KP_Subtract}, {0x6E, XK_KP_Decimal},
    {0x6F, XK_KP_Divide},   {0x10, XK_Shift_L}, {0x11, XK_Control_L},   {0x12, XK_Alt_L},
    {0x5B, XK_Super_L},     {0x5D, XK_Menu},
}};

}  // namespace

KeySymbol KeysymForVirtualKey(unsigned vk) {
  if ((vk >= '0' && vk <= '9')) return XK_0 + (vk - '0');
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= 0x60 && vk <= 0x69) return XK_KP_0 + (vk - 0x60);
  if (vk >= 0x70 && vk <= 0x87) return XK_F1 + (vk - 0x70);
  for (const KeyPair& key : kKeys)
    if (key.virtualKey == vk) return key.keysym;
  return 0;
}

unsigned VirtualKeyForKeysym(KeySymbol keysym) {
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<unsigned>('0' + (keysym - XK_0));
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<unsigned>('A' + (keysym - XK_a));
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<unsigned>('A' + (keysym - XK_A));
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
    return static_cast<unsigned>(0x60 + (keysym - XK_KP_0));
  if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<unsigned>(0x70 + (keysym - XK_F1));
  for (const KeyPair& key : kKeys)
    if (key.keysym == keysym) return key.virtualKey;
  // The keypad's keys without NumLock move as their main keys do.
  switch (keysym) {
    case XK_KP_Left:
      return 0x25;
    case XK_KP_Up:
      return 0x26;
    case XK_KP_Right:
      return 0x27;
    case XK_KP_Down:
      return 0x28;
    case XK_KP_Enter:
      return 0x0D;
    case XK_Shift_R:
      return 0x10;
    case XK_Control_R:
      return 0x11;
    case XK_Alt_R:
      return 0x12;
    default:
      return 0;
  }
}

}  // namespace qv
