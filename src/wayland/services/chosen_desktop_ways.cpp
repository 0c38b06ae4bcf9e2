#include "wayland/services/chosen_desktop_ways.h"

#include "desktop/wayland_keys.h"
#include "linux/base/debug_log.h"

namespace qv::wl {

ChosenKeys::ChosenKeys(VirtualKeyboardKeys& keyboard, wayland::Portals* portals,
                       const std::string& dataFolder)
    : keyboard_(keyboard) {
  if (keyboard_.Available() || !portals) return;
  // The desktop asks the user once; the restore token keeps the answer across runs.
  portalKeyboard_ = portals->Keyboard(wayland::PortalTokenPath(dataFolder), [this] {
    DebugLog("portal keyboard state " + std::to_string(static_cast<int>(portalKeyboard_->State())));
  });
  portalKeyboard_->Start();
  portalKeys_ = std::make_unique<wayland::PortalKeyInjection>(*portalKeyboard_);
}

std::size_t ChosenKeys::SendKeys(const std::vector<KeyStroke>& keys) {
  if (portalKeys_) return portalKeys_->SendKeys(keys);
  return keyboard_.SendKeys(keys);
}

ChosenHotKey::ChosenHotKey(SwayHotKey& sway, wayland::Portals* portals,
                           std::function<void()> pressed)
    : sway_(sway) {
  if (sway_.Available() || !portals) return;
  shortcut_ = portals->Shortcut("show-list", "Show the clip list",
                                {std::move(pressed), [] { DebugLog("portal shortcut changed"); }});
}

bool ChosenHotKey::Register(unsigned modifiers, unsigned virtualKey) {
  if (sway_.Available()) return sway_.Register(modifiers, virtualKey);
  if (!shortcut_) return false;
  // The portal's key in its own words; the desktop may ask the user, who may choose another.
  TShortCut key = static_cast<TShortCut>(virtualKey & 0xFF);
  if (modifiers & 4) key |= 0x2000;
  if (modifiers & 2) key |= 0x4000;
  if (modifiers & 1) key |= 0x8000;
  shortcut_->Bind(PortalTrigger(key));
  const wayland::PortalState state = shortcut_->State();
  return state == wayland::PortalState::Asking || state == wayland::PortalState::Working;
}

void ChosenHotKey::Unregister() {
  if (sway_.Available()) sway_.Unregister();
}

bool ChosenHotKey::CanBind() const {
  if (sway_.Available()) return true;
  return shortcut_ && shortcut_->State() != wayland::PortalState::Unavailable;
}

}  // namespace qv::wl
