#include "x11/services/x_desktop_services.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "base/app_error.h"
#include "linux/base/key_map.h"
#include "x11/base/screens.h"
#include "x11/base/x_display.h"
#include "x11/kit/message_box.h"
#include "x11/kit/x_form.h"

extern char** environ;

namespace qv {

namespace {

// The keysym a paste's key is typed with.
KeySymbol InjectedKeysym(unsigned virtualKey) {
  switch (virtualKey) {
    case kVkControl:
      return XK_Control_L;
    case kVkLeftShift:
      return XK_Shift_L;
    case kVkRightShift:
      return XK_Shift_R;
    case kVkLeftAlt:
      return XK_Alt_L;
    case kVkRightAlt:
      return XK_Alt_R;
    case kVkLeftWin:
      return XK_Super_L;
    case kVkRightWin:
      return XK_Super_R;
    default:
      return 0;
  }
}

}  // namespace

XDesktopServices::XDesktopServices(EventLoop& loop, ClipboardOwner& clipboard)
    : loop_(loop),
      x_(loop.display().Get()),
      clipboard_(clipboard),
      giveBackTimer_(loop.AddTimer([this] { GiveBackSpareKey(); })),
      screens_(loop) {
  // The active window's changes wake the loop (and show who has the keyboard).
  loop.display().SelectRootEvents(PropertyChangeMask);
}

bool XDesktopServices::PutClipboardText(const std::string& text) {
  return clipboard_.Own(text);
}

bool XDesktopServices::KeysymDown(const char keys[32], unsigned long keysym) {
  const KeyCode code = XKeysymToKeycode(x_, keysym);
  return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

bool XDesktopServices::KeyDown(unsigned virtualKey) {
  // The keysyms of the virtual key: either side's for the generic modifiers.
  std::vector<unsigned long> keysyms;
  switch (virtualKey) {
    case 0x10:
      keysyms = {XK_Shift_L, XK_Shift_R};
      break;
    case 0x11:
      keysyms = {XK_Control_L, XK_Control_R};
      break;
    case 0x12:
      keysyms = {XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R};
      break;
    case kVkLeftShift:
      keysyms = {XK_Shift_L};
      break;
    case kVkRightShift:
      keysyms = {XK_Shift_R};
      break;
    case 0xA2:
      keysyms = {XK_Control_L};
      break;
    case 0xA3:
      keysyms = {XK_Control_R};
      break;
    case kVkLeftAlt:
      keysyms = {XK_Alt_L, XK_Meta_L};
      break;
    case kVkRightAlt:
      keysyms = {XK_Alt_R, XK_ISO_Level3_Shift};
      break;
    case kVkLeftWin:
      keysyms = {XK_Super_L};
      break;
    case kVkRightWin:
      keysyms = {XK_Super_R};
      break;
    default:
      if (const KeySymbol keysym = KeysymForVirtualKey(virtualKey)) keysyms = {keysym};
      break;
  }
  if (keysyms.empty()) return false;
  // The keys a paste asks about one after the other, read once: a round trip each would
  // add to every paste.
  const std::int64_t now = EventLoop::Now();
  if (now - keymapReadAt_ > 2) {
    XQueryKeymap(x_, keymap_);
    keymapReadAt_ = now;
  }
  for (unsigned long keysym : keysyms)
    if (KeysymDown(keymap_, keysym)) return true;
  return false;
}

KeyCode XDesktopServices::KeycodeForV() {
  if (const KeyCode code = XKeysymToKeycode(x_, XK_v)) return code;
  if (spareKey_) return spareKey_;
  // No key of the layout carries V (a Russian-only layout): a keycode without symbols is
  // given V for the paste, and given back afterwards.
  int minCode = 0, maxCode = 0, perCode = 0;
  XDisplayKeycodes(x_, &minCode, &maxCode);
  KeySym* map =
      XGetKeyboardMapping(x_, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
  if (!map) return 0;
  for (int code = maxCode; code >= minCode && !spareKey_; --code) {
    const KeySym* syms = map + (code - minCode) * perCode;
    if (std::all_of(syms, syms + perCode, [](KeySym s) { return s == NoSymbol; }))
      spareKey_ = static_cast<KeyCode>(code);
  }
  XFree(map);
  if (!spareKey_) return 0;
  KeySym v[2] = {XK_v, XK_V};
  ErrorTrap trap(x_);
  XChangeKeyboardMapping(x_, spareKey_, 2, v, 1);
  if (trap.Failed()) spareKey_ = 0;
  return spareKey_;
}

void XDesktopServices::GiveBackSpareKey() {
  loop_.SetTimer(giveBackTimer_, 0);
  if (!spareKey_) return;
  KeySym none[2] = {NoSymbol, NoSymbol};
  ErrorTrap trap(x_);
  XChangeKeyboardMapping(x_, spareKey_, 2, none, 1);
  spareKey_ = 0;
}

std::size_t XDesktopServices::SendKeys(const std::vector<KeyStroke>& keys) {
  if (!xtestKnown_) {
    int event = 0, error = 0, major = 0, minor = 0;
    xtest_ = XTestQueryExtension(x_, &event, &error, &major, &minor) == True;
    xtestKnown_ = true;
  }
  if (!xtest_) return 0;
  // The keycodes first: when a key has none, nothing is typed (keycode 0 is no key, the server
  // would refuse it, and half a chord would leave Ctrl down).
  std::vector<std::pair<KeyCode, bool>> presses;
  std::size_t neutral = 0;
  for (const KeyStroke& key : keys) {
    if (key.virtualKey == kVkNeutral) {
      ++neutral;  // X opens no menu on a lone Alt: nothing to tap
      continue;
    }
    KeyCode code = 0;
    if (key.virtualKey == kVkV) {
      code = KeycodeForV();
    } else if (const KeySymbol keysym = InjectedKeysym(key.virtualKey)) {
      code = XKeysymToKeycode(x_, keysym);
      if (!code && key.virtualKey == kVkRightAlt) code = XKeysymToKeycode(x_, XK_ISO_Level3_Shift);
    }
    if (code == 0) {
      DebugLog("paste typed 0: no keycode");
      return 0;
    }
    presses.emplace_back(code, !key.up);
  }
  // One run of requests that nothing of ours interrupts, checked once.
  std::size_t sent = 0;
  {
    ErrorTrap trap(x_);
    XGrabServer(x_);
    for (const auto& [code, down] : presses) XTestFakeKeyEvent(x_, code, down, CurrentTime);
    XUngrabServer(x_);
    if (!trap.Failed()) sent = presses.size() + neutral;
  }
  if (spareKey_) loop_.SetTimer(giveBackTimer_, 1000);
  DebugLog("paste typed " + std::to_string(sent) + " of " + std::to_string(keys.size()));
  return sent;
}

Window XDesktopServices::ActiveWindow() {
  return qv::ActiveWindow(loop_.display());
}

bool XDesktopServices::Exists(Window window) {
  XWindowAttributes attributes{};
  ErrorTrap trap(x_);
  return XGetWindowAttributes(x_, window, &attributes) != 0 && !trap.Failed() &&
         attributes.map_state == IsViewable;
}

void XDesktopServices::ActivateWindow(Window window) {
  loop_.display().ActivateWindow(window);
}

bool XDesktopServices::ProgramWindow(Window window) {
  if (!window) return false;
  if (XForm::IsOwn(window)) return true;
  const std::vector<long> pid =
      LongProperty(x_, window, loop_.display().atoms().netWmPid, XA_CARDINAL);
  return !pid.empty() && pid[0] == static_cast<long>(getpid());
}

void XDesktopServices::RememberForeground() {
  const Window active = ActiveWindow();
  if (active && !ProgramWindow(active)) previous_ = active;
}

void XDesktopServices::TakeForeground() {
  RememberForeground();
}

bool XDesktopServices::ProgramHasForeground() {
  // The window manager answers the activation request in its own time.
  return loop_.RunUntil([this] { return ProgramWindow(ActiveWindow()); }, 150);
}

bool XDesktopServices::PasteTargetInFront() {
  const Window active = ActiveWindow();
  if (!previous_) return active != 0 && !ProgramWindow(active);
  if (active == previous_) return Exists(previous_);
  // The list handed the keyboard back when it hid; asked again when that was lost (none or
  // one of ours in front), never over a window the user went to meanwhile.
  if ((active == 0 || ProgramWindow(active)) && Exists(previous_)) ActivateWindow(previous_);
  return false;
}

void XDesktopServices::MinimiseApplication() {
  XForm::MinimiseAll();
  if (previous_ && Exists(previous_)) ActivateWindow(previous_);
  XFlush(x_);
}

void XDesktopServices::RestoreApplication() {
  XForm::RestoreAll();
}

void XDesktopServices::SetPointer(Point p) {
  XWarpPointer(x_, None, loop_.display().Root(), 0, 0, 0, 0, p.x, p.y);
  XFlush(x_);
}

Point XDesktopServices::GetPointer() {
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  if (!XQueryPointer(x_, loop_.display().Root(), &root, &child, &rootX, &rootY, &winX, &winY,
                     &mask))
    throw AppError("The pointer is on another screen");
  return {rootX, rootY};
}

MessageAnswer XDesktopServices::ShowMessage(MessageKind kind, const std::string& text,
                                            MessageButtons buttons) {
  const bool warning = kind == MessageKind::Warning;
  return ShowMessageBox(loop_, warning ? "Warning" : "Error", text, buttons,
                        warning ? BoxIcon::Warning : BoxIcon::Error);
}

void XDesktopServices::OpenMailLink(const std::string& address) {
  pid_t child = 0;
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(address.c_str()), nullptr};
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) == 0) {
    // Not waited for: xdg-open hands the address to the mail program and ends; the child
    // is reaped when the program ends.
  }
}

}  // namespace qv
