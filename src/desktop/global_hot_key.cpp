#include "desktop/global_hot_key.h"

namespace qv {

void GlobalHotKey::SetKey(TShortCut key) {
  if (key == key_) {
    if (enabled_) RegisterStep();  // nothing when registered
    return;
  }
  key_ = key;
  UnregisterStep();
  if (enabled_) RegisterStep();
}

void GlobalHotKey::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled)
    RegisterStep();
  else
    UnregisterStep();
}

void GlobalHotKey::Loaded() {
  if (enabled_) RegisterStep();
}

void GlobalHotKey::RegisterStep() {
  if (registered_) return;
  unsigned modifiers = 0;
  if (key_ & kShiftBit) modifiers |= 4;
  if (key_ & kCtrlBit) modifiers |= 2;
  if (key_ & kAltBit) modifiers |= 1;
  registered_ = api_.Register(modifiers, key_ & 0xFF);
}

void GlobalHotKey::UnregisterStep() {
  if (!registered_) return;
  api_.Unregister();
  registered_ = false;
}

}  // namespace qv
