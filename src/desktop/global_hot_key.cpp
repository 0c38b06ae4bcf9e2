#include "desktop/global_hot_key.h"

namespace qv {

void GlobalHotKey::SetKey(TShortCut key) {
  if (key == key_) return RegisterStep();  // nothing when registered
  key_ = key;
  UnregisterStep();
  RegisterStep();
}

void GlobalHotKey::Loaded() {
  loaded_ = true;
  if (key_ != 0) RegisterStep();  // no key set: nothing to register
}

void GlobalHotKey::RegisterStep() {
  if (registered_ || !loaded_) return;
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
