#include "x11/services/x_desktop_services.h"

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "base/app_error.h"
#include "x11/base/key_map.h"
#include "x11/base/x_display.h"
#include "x11/kit/message_box.h"
#include "x11/kit/x_form.h"
#include "x11/kit/x_words.h"

extern char** environ;

namespace qv {

namespace {

// Long values of a 32-bit property; empty when it is missing.
std::vector<long> LongProperty(Display* x, Window window, Atom property, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<long> values;
  ErrorTrap trap(x);
  if (XGetWindowProperty(x, window, property, 0, 1024, False, type, &actualType, &format, &count,
                         &after, &data) == Success &&
      data && format == 32) {
    const long* longs = reinterpret_cast<const long*>(data);
    values.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return values;
}

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

WindowRect Intersect(const WindowRect& a, const WindowRect& b) {
  const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
  const int right = std::min(a.left + a.width, b.left + b.width);
  const int bottom = std::min(a.top + a.height, b.top + b.height);
  if (right <= left || bottom <= top) return a;  // a work area off this monitor: the monitor
  return {left, top, right - left, bottom - top};
}

}  // namespace

XDesktopServices::XDesktopServices(EventLoop& loop, ClipboardOwner& clipboard)
    : loop_(loop),
      x_(loop.display().Get()),
      clipboard_(clipboard),
      giveBackTimer_(loop.AddTimer([this] { GiveBackSpareKey(); })) {
  // The active window's changes wake the loop (and show who has the keyboard).
  loop.display().SelectRootEvents(PropertyChangeMask);
  loop.ListenElsewhere([this](XEvent& event) {
    const Atoms& a = loop_.display().atoms();
    const bool areaChanged =
        event.type == PropertyNotify &&
        (event.xproperty.atom == a.netWorkarea || event.xproperty.atom == a.netCurrentDesktop);
    if (areaChanged ||
        (randrEventBase_ >= 0 && event.type == randrEventBase_ + RRScreenChangeNotify)) {
      if (event.type != PropertyNotify) XRRUpdateConfiguration(&event);
      monitorsKnown_ = false;
    }
  });
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
  const Atoms& a = loop_.display().atoms();
  const std::vector<long> active =
      LongProperty(x_, loop_.display().Root(), a.netActiveWindow, XA_WINDOW);
  if (!active.empty()) return static_cast<Window>(active[0]);
  // No window manager that tells: the top-level window holding the focus.
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x_, &focus, &revert);
  if (focus == None || focus == PointerRoot) return 0;
  ErrorTrap trap(x_);
  for (Window window = focus;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x_, window, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    if (parent == root || parent == 0) return window;
    window = parent;
  }
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

ScreenState XDesktopServices::LookAtScreens() {
  XDisplay& d = loop_.display();
  const Atoms& a = d.atoms();
  ScreenState state;
  if (randrEventBase_ == -2) {  // asked once, when the monitors are first looked at
    int randrError = 0;
    if (XRRQueryExtension(x_, &randrEventBase_, &randrError))
      XRRSelectInput(x_, d.Root(), RRScreenChangeNotifyMask);
    else
      randrEventBase_ = -1;
  }
  if (!monitorsKnown_) {
    monitors_.clear();
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(x_, d.Root(), True, &count);
    // The work area of the current desktop (the whole screen without docked bars).
    std::vector<long> area = LongProperty(x_, d.Root(), a.netWorkarea, XA_CARDINAL);
    const std::vector<long> desktop = LongProperty(x_, d.Root(), a.netCurrentDesktop, XA_CARDINAL);
    const std::size_t index = desktop.empty() ? 0 : static_cast<std::size_t>(desktop[0]) * 4;
    std::optional<WindowRect> workArea;
    if (area.size() >= index + 4)
      workArea = WindowRect{static_cast<int>(area[index]), static_cast<int>(area[index + 1]),
                            static_cast<int>(area[index + 2]), static_cast<int>(area[index + 3])};
    for (int i = 0; i < count; ++i) {
      Monitor monitor;
      monitor.bounds = {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
      monitor.workArea = workArea ? Intersect(monitor.bounds, *workArea) : monitor.bounds;
      monitor.dpi = d.Dpi();
      monitor.primary = monitors[i].primary != 0;
      monitors_.push_back(monitor);
    }
    if (monitors) XRRFreeMonitors(monitors);
    if (monitors_.empty()) {
      const WindowRect screen{0, 0, DisplayWidth(x_, d.Screen()), DisplayHeight(x_, d.Screen())};
      monitors_.push_back(
          {screen, workArea ? Intersect(screen, *workArea) : screen, d.Dpi(), true});
    }
    monitorsKnown_ = true;
  }
  state.monitors = monitors_;
  if (const Window active = ActiveWindow()) {
    XWindowAttributes attributes{};
    Window child = 0;
    int left = 0, top = 0;
    ErrorTrap trap(x_);
    if (XGetWindowAttributes(x_, active, &attributes) && attributes.map_state == IsViewable &&
        XTranslateCoordinates(x_, active, d.Root(), 0, 0, &left, &top, &child) && !trap.Failed()) {
      WindowRect front{left, top, attributes.width, attributes.height};
      const std::vector<long> frame = LongProperty(x_, active, a.netFrameExtents, XA_CARDINAL);
      if (frame.size() == 4) {
        front = {left - static_cast<int>(frame[0]), top - static_cast<int>(frame[2]),
                 front.width + static_cast<int>(frame[0] + frame[1]),
                 front.height + static_cast<int>(frame[2] + frame[3])};
      }
      state.front = front;
    }
  }
  try {
    state.pointer = GetPointer();
  } catch (const AppError&) {
  }
  return state;
}

MessageAnswer XDesktopServices::ShowMessage(MessageKind kind, const std::string& text,
                                            MessageButtons buttons) {
  const bool warning = kind == MessageKind::Warning;
  return ShowMessageBox(loop_, warning ? "Warning" : "Error", InXWords(text), buttons,
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
