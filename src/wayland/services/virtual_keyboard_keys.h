#pragma once
// A paste's keys typed through a virtual keyboard (zwp_virtual_keyboard_v1) that carries the
// whole keymap of the user's layout, so that a GTK window takes its Ctrl: the modifier key
// pressed, the modifiers sent, then V. A layout without a V key (Russian alone) is sent as
// the US layout, whose V is where the paste expects it. One of the ways to type keys: the
// desktop portal's is another.
#include <xkbcommon/xkbcommon.h>

#include "desktop/desktop_services.h"
#include "wayland/base/wl_connection.h"

struct zwp_virtual_keyboard_v1;

namespace qv::wl {

class VirtualKeyboardKeys : public KeyInjection {
 public:
  explicit VirtualKeyboardKeys(Connection& connection) : c_(connection) {}
  ~VirtualKeyboardKeys() override;
  VirtualKeyboardKeys(const VirtualKeyboardKeys&) = delete;
  VirtualKeyboardKeys& operator=(const VirtualKeyboardKeys&) = delete;

  // The compositor offers a virtual keyboard.
  bool Available() const { return c_.VirtualKeyboards() != nullptr; }
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;

 private:
  bool Prepare();  // the keyboard made and its keymap sent, once
  std::uint32_t EvdevKeyFor(unsigned virtualKey) const;

  Connection& c_;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  std::uint32_t vKey_ = 0;  // evdev code of the key that types v
};

}  // namespace qv::wl
