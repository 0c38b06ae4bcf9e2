// The user's hands in the Wayland tests: a virtual keyboard with the full "us" keymap that
// stays plugged in, as a real one does (the seat loses the keyboard focus with its last
// keyboard).
//   qv_wl_keys FIFO DONE   reads lines of KEYs from FIFO, appends "ok T" (T: the steady
//                          clock's microseconds at the line's first key) or "failed" to DONE
//   KEY: a chord ("F5", "ctrl+a", "shift+Down", "c"), "text:abc", or "click:X,Y" (a left click
//   at X, Y on the 1280 x 800 output, by a virtual pointer)
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "virtual-keyboard-unstable-v1-client.h"
#include "wlr-virtual-pointer-unstable-v1-client.h"

namespace {

wl_seat* g_seat;
zwp_virtual_keyboard_manager_v1* g_manager;
zwlr_virtual_pointer_manager_v1* g_pointers;

void Global(void*, wl_registry* r, uint32_t name, const char* iface, uint32_t) {
  if (!std::strcmp(iface, wl_seat_interface.name))
    g_seat = static_cast<wl_seat*>(wl_registry_bind(r, name, &wl_seat_interface, 1));
  if (!std::strcmp(iface, zwp_virtual_keyboard_manager_v1_interface.name))
    g_manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
        wl_registry_bind(r, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
  if (!std::strcmp(iface, zwlr_virtual_pointer_manager_v1_interface.name))
    g_pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(r, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}
void GlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistry{Global, GlobalRemove};

uint64_t NowUs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<uint64_t>(t.tv_sec) * 1000000u + static_cast<uint64_t>(t.tv_nsec) / 1000u;
}

struct Keyboard {
  wl_display* display;
  zwp_virtual_keyboard_v1* kb;
  zwlr_virtual_pointer_v1* pointer;
  xkb_keymap* map;
  xkb_state* state;
  uint32_t time = 1;
  void Key(uint32_t evdev, bool down) {
    zwp_virtual_keyboard_v1_key(kb, time++, evdev, down ? 1 : 0);
    xkb_state_update_key(state, evdev + 8, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    zwp_virtual_keyboard_v1_modifiers(kb, xkb_state_serialize_mods(state, XKB_STATE_MODS_DEPRESSED),
                                      0, 0, 0);
    wl_display_roundtrip(display);
    usleep(15000);
  }
  // The key and level typing `sym`; false when the keymap has none.
  bool Find(xkb_keysym_t sym, uint32_t& evdev, bool& shifted) {
    for (xkb_keycode_t code = 8; code < 256; ++code)
      for (xkb_level_index_t level = 0; level < 2; ++level) {
        const xkb_keysym_t* syms = nullptr;
        if (xkb_keymap_key_get_syms_by_level(map, code, 0, level, &syms) > 0 && syms[0] == sym) {
          evdev = code - 8;
          shifted = level == 1;
          return true;
        }
      }
    return false;
  }
  bool Chord(const std::vector<uint32_t>& mods, xkb_keysym_t sym) {
    uint32_t evdev = 0;
    bool shifted = false;
    if (!Find(sym, evdev, shifted)) return false;
    std::vector<uint32_t> held = mods;
    if (shifted) held.push_back(KEY_LEFTSHIFT);
    for (uint32_t m : held) Key(m, true);
    Key(evdev, true);
    Key(evdev, false);
    for (auto it = held.rbegin(); it != held.rend(); ++it) Key(*it, false);
    return true;
  }
};

bool Type(Keyboard& k, std::string arg) {
  if (arg.rfind("click:", 0) == 0) {
    unsigned x = 0, y = 0;
    if (std::sscanf(arg.c_str(), "click:%u,%u", &x, &y) != 2) return false;
    zwlr_virtual_pointer_v1_motion_absolute(k.pointer, k.time++, x, y, 1280, 800);
    zwlr_virtual_pointer_v1_frame(k.pointer);
    for (uint32_t state : {1u, 0u}) {
      wl_display_roundtrip(k.display);
      usleep(30000);
      zwlr_virtual_pointer_v1_button(k.pointer, k.time++, BTN_LEFT, state);
      zwlr_virtual_pointer_v1_frame(k.pointer);
    }
    wl_display_roundtrip(k.display);
    return true;
  }
  if (arg.rfind("text:", 0) == 0) {
    for (char ch : arg.substr(5))
      if (!k.Chord({}, xkb_utf32_to_keysym(static_cast<unsigned char>(ch)))) return false;
    return true;
  }
  std::vector<uint32_t> mods;
  for (size_t plus; (plus = arg.find('+')) != std::string::npos && plus + 1 < arg.size();) {
    const std::string mod = arg.substr(0, plus);
    arg = arg.substr(plus + 1);
    mods.push_back(mod == "ctrl" ? KEY_LEFTCTRL : mod == "shift" ? KEY_LEFTSHIFT : KEY_LEFTALT);
  }
  if (!k.Chord(mods, xkb_keysym_from_name(arg.c_str(), XKB_KEYSYM_NO_FLAGS))) {
    std::fprintf(stderr, "qv_wl_keys: no key %s\n", arg.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return 2;
  wl_registry_add_listener(wl_display_get_registry(display), &kRegistry, nullptr);
  wl_display_roundtrip(display);
  if (!g_seat || !g_manager || !g_pointers) return 3;
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names us{"evdev", "pc105", "us", "", ""};
  Keyboard k{display, zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(g_manager, g_seat),
             zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_pointers, g_seat),
             xkb_keymap_new_from_names(context, &us, XKB_KEYMAP_COMPILE_NO_FLAGS), nullptr};
  k.state = xkb_state_new(k.map);
  char* text = xkb_keymap_get_as_string(k.map, XKB_KEYMAP_FORMAT_TEXT_V1);
  const size_t size = std::strlen(text) + 1;
  const int fd = memfd_create("keymap", 0);
  if (write(fd, text, size) != static_cast<ssize_t>(size)) return 4;
  zwp_virtual_keyboard_v1_keymap(k.kb, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, size);
  wl_display_roundtrip(display);
  usleep(50000);
  if (argc != 3) return 1;
  for (;;) {
    std::ifstream fifo(argv[1]);
    for (std::string line; std::getline(fifo, line);) {
      std::istringstream words(line);
      const uint64_t start = NowUs();
      bool typed = true;
      for (std::string arg; typed && words >> arg;) typed = Type(k, arg);
      std::ofstream(argv[2], std::ios::app)
          << (typed ? "ok " + std::to_string(start) : "failed") << std::endl;
    }
  }
}
