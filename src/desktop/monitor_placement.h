#pragma once
// Where a window goes when there are several monitors: on the one the user works on,
// centred on it as the program centres on the desktop, and never across its edge. With one
// monitor this is the program's placement on the desktop, unchanged.
#include <optional>
#include <vector>

#include "desktop/controls.h"
#include "desktop/dpi_scale.h"

namespace qv {

struct Monitor {
  WindowRect bounds;    // the whole monitor, in virtual-screen pixels
  WindowRect workArea;  // without the taskbar and other docked bars
  int dpi = kDesignDpi;
  bool primary = false;
};

// The monitors, the window in front (none when it is minimised, hidden or the desktop
// itself) and the pointer (where it was last seen when it cannot be read).
struct ScreenState {
  std::vector<Monitor> monitors;
  std::optional<WindowRect> front;
  Point pointer;
};

// The monitor of the window that was in front (the one it overlaps most; on a tie the one
// holding its centre), else the one under the pointer, else the primary one. A window that
// is on no monitor (minimised, or gone: none) does not count. No monitors give Monitor{}.
Monitor MonitorOfWork(const std::vector<Monitor>& monitors, const std::optional<WindowRect>& front,
                      Point pointer);
Monitor MonitorOfWork(const ScreenState& screens);

enum class Centring { Horizontally, BothWays };

// `window`, already at the monitor's dpi, centred on the whole monitor as on the desktop:
// Left = monitor left + (monitor width - width) div 2, Top likewise when both ways (else it
// is kept), then kept inside the work area.
WindowRect CentreOnMonitor(const WindowRect& window, const Monitor& monitor, Centring centring);

// Moved as little as puts it inside the work area; a window larger than the work area lies
// against its left or top edge, where its header can still be reached.
WindowRect KeepInWorkArea(const WindowRect& window, const Monitor& monitor);

// A hint of `width` x `height` for the pointer: `gap` pixels below it, or above it when it
// does not fit below, else moved into the work area, so that its end (the preview's "...")
// stays in view.
WindowRect PlaceHintAtPointer(int width, int height, Point pointer, int gap,
                              const Monitor& monitor);

// The form centred on the monitor as above. A move onto a monitor of another scale resizes
// it: it is then placed again at its new size.
void PlaceOnMonitor(FormControl& form, const Monitor& monitor, Centring centring);

// The middle pixel of a rectangle, rounded toward its top-left corner.
Point CentreOf(const WindowRect& r);

}  // namespace qv
