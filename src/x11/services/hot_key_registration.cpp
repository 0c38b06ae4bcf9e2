#include "x11/services/hot_key_registration.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <string>

#include "linux/base/key_map.h"

namespace qv {

namespace {

// The modifier bit a key sym sits on (NumLock is usually Mod2, ScrollLock often none).
unsigned ModifierOf(Display* x, KeySym keysym) {
  const KeyCode code = XKeysymToKeycode(x, keysym);
  if (!code) return 0;
  XModifierKeymap* map = XGetModifierMapping(x);
  unsigned mask = 0;
  for (int modifier = 0; modifier < 8; ++modifier)
    for (int k = 0; k < map->max_keypermod; ++k)
      if (map->modifiermap[modifier * map->max_keypermod + k] == code) mask = 1u << modifier;
  XFreeModifiermap(map);
  return mask;
}

}  // namespace

XHotKeyRegistration::XHotKeyRegistration(EventLoop& loop) : loop_(loop) {
  Bool supported = False;
  XkbSetDetectableAutoRepeat(loop.display().Get(), True, &supported);
  loop.ListenElsewhere([this](XEvent& event) {
    if (event.xany.window == loop_.display().Root()) OnRootEvent(event);
  });
}

unsigned XHotKeyRegistration::IgnoredModifiers() {
  if (!ignoredKnown_) {
    Display* x = loop_.display().Get();
    ignored_ = LockMask | ModifierOf(x, XK_Num_Lock) | ModifierOf(x, XK_Scroll_Lock);
    ignoredKnown_ = true;
  }
  return ignored_;
}

bool XHotKeyRegistration::Register(unsigned modifiers, unsigned virtualKey) {
  Display* x = loop_.display().Get();
  const KeySym keysym = KeysymForVirtualKey(virtualKey);
  const KeyCode code = keysym ? XKeysymToKeycode(x, keysym) : 0;
  if (!code) {
    DebugLog("hotkey has no key");
    return false;
  }
  unsigned mask = 0;
  if (modifiers & 1) mask |= Mod1Mask;
  if (modifiers & 2) mask |= ControlMask;
  if (modifiers & 4) mask |= ShiftMask;
  const unsigned ignored = IgnoredModifiers();
  ErrorTrap trap(x);
  // Every subset of the lock modifiers.
  for (unsigned extra = ignored;; extra = (extra - 1) & ignored) {
    XGrabKey(x, code, mask | extra, loop_.display().Root(), False, GrabModeAsync, GrabModeAsync);
    if (extra == 0) break;
  }
  if (trap.Failed()) {
    for (unsigned extra = ignored;; extra = (extra - 1) & ignored) {
      XUngrabKey(x, code, mask | extra, loop_.display().Root());
      if (extra == 0) break;
    }
    DebugLog("hotkey taken");
    return false;
  }
  keycode_ = code;
  modifiers_ = mask;
  DebugLog("hotkey grabbed");
  return true;
}

void XHotKeyRegistration::Unregister() {
  if (!keycode_) return;
  Display* x = loop_.display().Get();
  const unsigned ignored = IgnoredModifiers();
  ErrorTrap trap(x);
  for (unsigned extra = ignored;; extra = (extra - 1) & ignored) {
    XUngrabKey(x, keycode_, modifiers_ | extra, loop_.display().Root());
    if (extra == 0) break;
  }
  keycode_ = 0;
  held_ = false;
}

void XHotKeyRegistration::OnRootEvent(XEvent& event) {
  if (event.type != KeyPress && event.type != KeyRelease) return;
  if (!keycode_ || event.xkey.keycode != keycode_) return;
  if (event.type == KeyRelease) {
    held_ = false;
    return;
  }
  if (held_) return;  // auto-repeat
  held_ = true;
  loop_.display().SeeTime(event.xkey.time);
  DebugLog("hotkey pressed");
  if (onHotKey) onHotKey();
}

}  // namespace qv
