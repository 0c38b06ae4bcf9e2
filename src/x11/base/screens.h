#pragma once
// The monitors (Xrandr), the work area the window manager leaves (_NET_WORKAREA), the window
// in front and the pointer, as X tells them.
#include <X11/Xlib.h>

#include <vector>

#include "desktop/desktop_services.h"
#include "x11/base/event_loop.h"

namespace qv {

// Long values of a 32-bit property; empty when it is missing.
std::vector<long> LongProperty(Display* x, Window window, Atom property, Atom type);
// The window the window manager calls active; 0 when none.
Window ActiveWindow(XDisplay& display);
// The monitors now, each with its part of the work area.
std::vector<Monitor> MonitorsNow(XDisplay& display);

class XScreens : public Screens {
 public:
  explicit XScreens(EventLoop& loop);
  // The monitors are read again only when they change: the hot key reads them before the
  // list shows.
  ScreenState LookAtScreens() override;

 private:
  EventLoop& loop_;
  std::vector<Monitor> monitors_;
  bool monitorsKnown_ = false;
  int randrEventBase_ = -2;  // -2: not asked yet, -1: no Xrandr
};

}  // namespace qv
