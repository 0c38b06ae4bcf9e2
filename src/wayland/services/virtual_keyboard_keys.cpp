#include "wayland/services/virtual_keyboard_keys.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include "desktop/paste_keystrokes.h"
#include "linux/base/debug_log.h"
#include "virtual-keyboard-unstable-v1-client.h"

namespace qv::wl {

namespace {

// The evdev code of the first key that types `keysym` at level 0 of group 0; 0 for none.
std::uint32_t KeyTyping(xkb_keymap* map, xkb_keysym_t keysym) {
  for (xkb_keycode_t code = xkb_keymap_min_keycode(map); code <= xkb_keymap_max_keycode(map);
       ++code) {
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(map, code, 0, 0, &syms) > 0 && syms[0] == keysym)
      return code - 8;
  }
  return 0;
}

std::uint32_t NowMs() {
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

}  // namespace

VirtualKeyboardKeys::~VirtualKeyboardKeys() {
  if (keyboard_) zwp_virtual_keyboard_v1_destroy(keyboard_);
  if (state_) xkb_state_unref(state_);
  if (keymap_) xkb_keymap_unref(keymap_);
}

bool VirtualKeyboardKeys::Prepare() {
  if (keyboard_) return true;
  if (!c_.VirtualKeyboards() || !c_.Seat()) return false;
  // The user's keymap as the compositor gave it, or the one named by the environment's
  // XKB_DEFAULT_* (xkbcommon reads them) when the seat has told none.
  xkb_keymap* map = c_.Keymap() ? xkb_keymap_ref(c_.Keymap())
                                : xkb_keymap_new_from_names(c_.XkbContext(), nullptr,
                                                            XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (map && KeyTyping(map, XKB_KEY_v) == 0) {
    xkb_keymap_unref(map);
    const xkb_rule_names us{"evdev", "pc105", "us", "", ""};
    map = xkb_keymap_new_from_names(c_.XkbContext(), &us, XKB_KEYMAP_COMPILE_NO_FLAGS);
  }
  if (!map) return false;
  char* text = xkb_keymap_get_as_string(map, XKB_KEYMAP_FORMAT_TEXT_V1);
  if (!text) {
    xkb_keymap_unref(map);
    return false;
  }
  const std::size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("quorvanel-keymap", MFD_CLOEXEC);
  bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
  std::free(text);
  if (!written) {
    if (fd >= 0) close(fd);
    xkb_keymap_unref(map);
    return false;
  }
  keyboard_ =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(c_.VirtualKeyboards(), c_.Seat());
  zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                 static_cast<std::uint32_t>(size));
  close(fd);
  keymap_ = map;
  state_ = xkb_state_new(map);
  vKey_ = KeyTyping(map, XKB_KEY_v);
  c_.RoundTrip();  // the keymap in place before the first key
  return true;
}

std::uint32_t VirtualKeyboardKeys::EvdevKeyFor(unsigned virtualKey) const {
  switch (virtualKey) {
    case kVkControl:
    case kVkLeftControl:
      return KEY_LEFTCTRL;
    case kVkRightControl:
      return KEY_RIGHTCTRL;
    case kVkV:
      return vKey_;
    case kVkLeftShift:
      return KEY_LEFTSHIFT;
    case kVkRightShift:
      return KEY_RIGHTSHIFT;
    case kVkLeftAlt:
      return KEY_LEFTALT;
    case kVkRightAlt:
      return KEY_RIGHTALT;
    case kVkLeftWin:
      return KEY_LEFTMETA;
    case kVkRightWin:
      return KEY_RIGHTMETA;
    default:
      return 0;
  }
}

std::size_t VirtualKeyboardKeys::SendKeys(const std::vector<KeyStroke>& keys) {
  if (!Prepare()) return 0;
  // The codes first: with one missing nothing is typed (half a chord would leave Ctrl down).
  std::vector<std::pair<std::uint32_t, bool>> presses;
  std::size_t neutral = 0;
  for (const KeyStroke& key : keys) {
    if (key.virtualKey == kVkNeutral) {
      ++neutral;  // no menu opens on a lone Alt here: nothing to tap
      continue;
    }
    const std::uint32_t code = EvdevKeyFor(key.virtualKey);
    if (code == 0) return 0;
    presses.emplace_back(code, !key.up);
  }
  for (const auto& [code, down] : presses) {
    zwp_virtual_keyboard_v1_key(
        keyboard_, NowMs(), code,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    xkb_state_update_key(state_, code + 8, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(
        keyboard_, xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE));
  }
  c_.Flush();
  DebugLog("paste typed " + std::to_string(presses.size() + neutral) + " of " +
           std::to_string(keys.size()));
  return presses.size() + neutral;
}

}  // namespace qv::wl
