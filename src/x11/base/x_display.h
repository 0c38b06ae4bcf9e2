#pragma once
// The one connection to the X server, the atoms the program speaks, and the error trap: an
// X error never ends the process (Xlib's default handler would), a step that must know
// whether it worked syncs inside a trap.
#include <X11/Xlib.h>

#include <functional>
#include <string>

#include "linux/base/debug_log.h"

namespace qv {

struct Atoms {
  Atom clipboard, targets, utf8String, text, textPlainUtf8, incr, multiple, timestamp;
  Atom clipboardManager, saveTargets, selectionProperty;
  Atom netActiveWindow, netWorkarea, netWmState, netWmStateAbove, netWmStateSkipTaskbar,
      netWmStateSkipPager, netWmWindowType, netWmWindowTypeDialog, netWmWindowTypeUtility,
      netWmName, netFrameExtents, netSupportingWmCheck, netCurrentDesktop, netWmPid;
  Atom wmProtocols, wmDeleteWindow, wmTakeFocus, motifWmHints;
  Atom trayOpcode, trayManager, xembedInfo, xembed, traySelection;
};

class XDisplay {
 public:
  // Opens $DISPLAY; Get() is null when it cannot.
  XDisplay();
  ~XDisplay();
  XDisplay(const XDisplay&) = delete;
  XDisplay& operator=(const XDisplay&) = delete;

  Display* Get() const { return display_; }
  int Screen() const { return screen_; }
  Window Root() const { return root_; }
  const Atoms& atoms() const { return atoms_; }
  // The dots per inch fonts are drawn at (Xft.dpi), 96 when unset.
  int Dpi() const { return dpi_; }
  // The newest server time seen in an event; CurrentTime before the first.
  Time LastTime() const { return lastTime_; }
  void SeeTime(Time time) {
    if (time != CurrentTime) lastTime_ = time;
  }
  // The server's time now (a round trip), and seen from then on.
  Time ServerTime();
  // Adds to the root window's events this client hears (kept here: asking costs a round trip).
  void SelectRootEvents(long mask) {
    rootEvents_ |= mask;
    XSelectInput(display_, root_, rootEvents_);
  }
  // A window manager that follows the desktop conventions (and answers activation requests).
  bool WindowManagerRuns() const;
  // Makes `window` the active one: asked of the window manager, or focused directly without one.
  void ActivateWindow(Window window);
  Atom Intern(const char* name) const { return XInternAtom(display_, name, False); }
  // Runs when the connection is lost, before the process ends.
  static void OnConnectionLost(std::function<void()> handler);
  // Installs the program's handler of a lost connection again (a library loaded later, GTK,
  // puts in its own, which ends the process at once).
  static void ReclaimConnectionLoss();

 private:
  Display* display_ = nullptr;
  int screen_ = 0;
  Window root_ = 0;
  int dpi_ = 96;
  Time lastTime_ = CurrentTime;
  Atoms atoms_{};
  Window timeWindow_ = 0;
  long rootEvents_ = NoEventMask;  // where a property change tells the server's time
};

// Errors raised by requests made while it lives are counted, not fatal; Failed() syncs.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  // Waits for the server to answer everything sent so far; true when any of it failed.
  bool Failed();
  int LastErrorCode() const;

 private:
  Display* display_;
  int outerErrors_;
  int outerCode_;
  unsigned long outerSerial_;
};

}  // namespace qv
