#pragma once
// The one system-wide hot key registration that calls up the pop-up list.
#include "desktop/shortcut.h"

namespace qv {

// RegisterHotKey / UnregisterHotKey on the component's own hidden window, id 0.
class HotKeyRegistration {
 public:
  virtual ~HotKeyRegistration() = default;
  // modifiers: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
  virtual bool Register(unsigned modifiers, unsigned virtualKey) = 0;
  virtual void Unregister() = 0;
  // Whether this desktop lets the program bind a key of its own at all.
  virtual bool CanBind() const { return true; }
};

class GlobalHotKey {
 public:
  explicit GlobalHotKey(HotKeyRegistration& api) : api_(api) {}
  ~GlobalHotKey() { UnregisterStep(); }
  GlobalHotKey(const GlobalHotKey&) = delete;
  GlobalHotKey& operator=(const GlobalHotKey&) = delete;

  TShortCut Key() const { return key_; }
  // Until Loaded, only stored. Then a new value: store, unregister, register. The same value
  // does nothing, except that a key that failed to register is tried again: another program
  // may have let it go.
  void SetKey(TShortCut key);
  // A key is set, and registering it succeeded.
  bool Works() const { return key_ != 0 && registered_; }
  // The desktop lets no program bind its own key: only a shortcut the user binds calls up
  // the list.
  bool Unbindable() const { return !api_.CanBind(); }
  // The owner has finished loading (start-up has settled on its key): registers the key,
  // if one is set.
  void Loaded();

 private:
  void RegisterStep();
  void UnregisterStep();

  HotKeyRegistration& api_;
  TShortCut key_ = 0;
  bool loaded_ = false;
  bool registered_ = false;
};

}  // namespace qv
