#include "desktop/wayland_keys.h"

#include <array>

#include "desktop/paste_keystrokes.h"

namespace qv {

namespace {

struct NamedKeysym {
  unsigned virtualKey;
  const char* name;
};

// xkbcommon's keysym names for the keys the shortcut text names outside the rules below.
constexpr std::array<NamedKeysym, 15> kKeysymNames{{
    {0x08, "BackSpace"},
    {0x09, "Tab"},
    {0x0D, "Return"},
    {0x1B, "Escape"},
    {0x20, "space"},
    {0x21, "Prior"},
    {0x22, "Next"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
}};

struct EvdevKey {
  unsigned virtualKey;
  unsigned code;
};

constexpr std::array<EvdevKey, 12> kEvdevKeys{{
    {kVkControl, 29},
    {kVkLeftControl, 29},
    {kVkRightControl, 97},
    {kVkShift, 42},
    {kVkLeftShift, 42},
    {kVkRightShift, 54},
    {kVkAlt, 56},
    {kVkLeftAlt, 56},
    {kVkRightAlt, 100},
    {kVkLeftWin, 125},
    {kVkRightWin, 126},
    {kVkV, 47},
}};

std::string KeysymName(unsigned vk) {
  if (vk >= 'A' && vk <= 'Z') return std::string(1, static_cast<char>(vk - 'A' + 'a'));
  if (vk >= '0' && vk <= '9') return std::string(1, static_cast<char>(vk));
  if (vk >= 0x60 && vk <= 0x69) return "KP_" + std::to_string(vk - 0x60);
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x6F);
  for (const NamedKeysym& key : kKeysymNames)
    if (key.virtualKey == vk) return key.name;
  return {};
}

}  // namespace

std::string PortalTrigger(TShortCut shortcut) {
  const std::string key = KeysymName(shortcut & 0xFF);
  if (key.empty()) return {};
  std::string trigger;
  if (shortcut & kCtrlBit) trigger += "CTRL+";
  if (shortcut & kAltBit) trigger += "ALT+";
  if (shortcut & kShiftBit) trigger += "SHIFT+";
  return trigger + key;
}

std::optional<unsigned> EvdevKeyCode(unsigned virtualKey) {
  for (const EvdevKey& key : kEvdevKeys)
    if (key.virtualKey == virtualKey) return key.code;
  return std::nullopt;
}

}  // namespace qv
