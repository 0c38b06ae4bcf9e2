#pragma once
// The hot key as a passive grab of the root window, in every combination of the lock keys
// (NumLock, CapsLock, ScrollLock), so that it works whichever of them is on. A key another
// client holds fails the grab with BadAccess, which the trap reports: the key does not work
// and the user is told so.
#include <X11/Xlib.h>

#include <functional>

#include "desktop/global_hot_key.h"
#include "x11/base/event_loop.h"

namespace qv {

class XHotKeyRegistration : public HotKeyRegistration {
 public:
  explicit XHotKeyRegistration(EventLoop& loop);
  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;
  // Once per press: a key held down repeats its press (detectable auto-repeat), not its
  // release, and the repeats are dropped.
  std::function<void()> onHotKey;

 private:
  void OnRootEvent(XEvent& event);
  unsigned IgnoredModifiers();

  EventLoop& loop_;
  KeyCode keycode_ = 0;
  unsigned modifiers_ = 0;
  bool held_ = false;
  unsigned ignored_ = 0;  // the lock keys' modifiers, read once
  bool ignoredKnown_ = false;
};

}  // namespace qv
