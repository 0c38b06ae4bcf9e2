#include "x11/base/screens.h"

#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <optional>

namespace qv {

namespace {

WindowRect Intersect(const WindowRect& a, const WindowRect& b) {
  const int left = std::max(a.left, b.left), top = std::max(a.top, b.top);
  const int right = std::min(a.left + a.width, b.left + b.width);
  const int bottom = std::min(a.top + a.height, b.top + b.height);
  if (right <= left || bottom <= top) return a;  // a work area off this monitor: the monitor
  return {left, top, right - left, bottom - top};
}

// The window in front with its frame, when it is on screen.
std::optional<WindowRect> FrontWindow(XDisplay& d) {
  Display* x = d.Get();
  const Window active = ActiveWindow(d);
  if (!active) return std::nullopt;
  XWindowAttributes attributes{};
  Window child = 0;
  int left = 0, top = 0;
  ErrorTrap trap(x);
  if (!XGetWindowAttributes(x, active, &attributes) || attributes.map_state != IsViewable ||
      !XTranslateCoordinates(x, active, d.Root(), 0, 0, &left, &top, &child) || trap.Failed())
    return std::nullopt;
  WindowRect front{left, top, attributes.width, attributes.height};
  const std::vector<long> frame = LongProperty(x, active, d.atoms().netFrameExtents, XA_CARDINAL);
  if (frame.size() == 4) {
    front = {left - static_cast<int>(frame[0]), top - static_cast<int>(frame[2]),
             front.width + static_cast<int>(frame[0] + frame[1]),
             front.height + static_cast<int>(frame[2] + frame[3])};
  }
  return front;
}

}  // namespace

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

Window ActiveWindow(XDisplay& d) {
  Display* x = d.Get();
  const std::vector<long> active = LongProperty(x, d.Root(), d.atoms().netActiveWindow, XA_WINDOW);
  if (!active.empty()) return static_cast<Window>(active[0]);
  // No window manager that tells: the top-level window holding the focus.
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(x, &focus, &revert);
  if (focus == None || focus == PointerRoot) return 0;
  ErrorTrap trap(x);
  for (Window window = focus;;) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(x, window, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    if (parent == root || parent == 0) return window;
    window = parent;
  }
}

std::vector<Monitor> MonitorsNow(XDisplay& d) {
  Display* x = d.Get();
  const Atoms& a = d.atoms();
  std::vector<Monitor> result;
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(x, d.Root(), True, &count);
  // The work area of the current desktop (the whole screen without docked bars).
  const std::vector<long> area = LongProperty(x, d.Root(), a.netWorkarea, XA_CARDINAL);
  const std::vector<long> desktop = LongProperty(x, d.Root(), a.netCurrentDesktop, XA_CARDINAL);
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
    result.push_back(monitor);
  }
  if (monitors) XRRFreeMonitors(monitors);
  if (result.empty()) {
    const WindowRect screen{0, 0, DisplayWidth(x, d.Screen()), DisplayHeight(x, d.Screen())};
    result.push_back({screen, workArea ? Intersect(screen, *workArea) : screen, d.Dpi(), true});
  }
  return result;
}

XScreens::XScreens(EventLoop& loop) : loop_(loop) {
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

ScreenState XScreens::LookAtScreens() {
  XDisplay& d = loop_.display();
  if (randrEventBase_ == -2) {  // asked once, when the monitors are first looked at
    int randrError = 0;
    if (XRRQueryExtension(d.Get(), &randrEventBase_, &randrError))
      XRRSelectInput(d.Get(), d.Root(), RRScreenChangeNotifyMask);
    else
      randrEventBase_ = -1;
  }
  if (!monitorsKnown_) {
    monitors_ = MonitorsNow(d);
    monitorsKnown_ = true;
  }
  ScreenState state;
  state.monitors = monitors_;
  state.front = FrontWindow(d);
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  if (XQueryPointer(d.Get(), d.Root(), &root, &child, &rootX, &rootY, &winX, &winY, &mask))
    state.pointer = {rootX, rootY};
  return state;
}

}  // namespace qv
