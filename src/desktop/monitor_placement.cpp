#include "desktop/monitor_placement.h"

#include <algorithm>
#include <cstdint>

namespace qv {

namespace {

std::int64_t OverlapArea(const WindowRect& a, const WindowRect& b) {
  const std::int64_t width =
      std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
  const std::int64_t height = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
  return width > 0 && height > 0 ? width * height : 0;
}

// The one position that keeps [start, start + size) inside [lowest, lowest + room).
int KeepInside(int start, int size, int lowest, int room) {
  return std::max(lowest, std::min(start, lowest + room - size));
}

}  // namespace

Monitor MonitorOfWork(const std::vector<Monitor>& monitors, const std::optional<WindowRect>& front,
                      Point pointer) {
  if (monitors.empty()) return {};
  const Monitor* best = nullptr;
  if (front) {
    std::int64_t bestArea = 0;
    const Point centre = CentreOf(*front);
    for (const Monitor& m : monitors) {
      const std::int64_t area = OverlapArea(*front, m.bounds);
      if (area > bestArea || (area == bestArea && area > 0 && Contains(m.bounds, centre))) {
        best = &m;
        bestArea = area;
      }
    }
  }
  for (const Monitor& m : monitors)
    if (!best && Contains(m.bounds, pointer)) best = &m;
  for (const Monitor& m : monitors)
    if (!best && m.primary) best = &m;
  return best ? *best : monitors.front();
}

Monitor MonitorOfWork(const ScreenState& screens) {
  return MonitorOfWork(screens.monitors, screens.front, screens.pointer);
}

WindowRect CentreOnMonitor(const WindowRect& window, const Monitor& monitor, Centring centring) {
  WindowRect placed = window;
  placed.left = monitor.bounds.left + (monitor.bounds.width - window.width) / 2;
  if (centring == Centring::BothWays)
    placed.top = monitor.bounds.top + (monitor.bounds.height - window.height) / 2;
  return KeepInWorkArea(placed, monitor);
}

WindowRect KeepInWorkArea(const WindowRect& window, const Monitor& monitor) {
  const WindowRect& area = monitor.workArea;
  WindowRect kept = window;
  kept.left = KeepInside(window.left, window.width, area.left, area.width);
  kept.top = KeepInside(window.top, window.height, area.top, area.height);
  return kept;
}

WindowRect PlaceHintAtPointer(int width, int height, Point pointer, int gap,
                              const Monitor& monitor) {
  const WindowRect& area = monitor.workArea;
  WindowRect hint{pointer.x, pointer.y + gap, width, height};
  if (hint.top + height > area.top + area.height && pointer.y - gap - height >= area.top)
    hint.top = pointer.y - gap - height;
  return KeepInWorkArea(hint, monitor);
}

void PlaceOnMonitor(FormControl& form, const Monitor& monitor, Centring centring) {
  for (int pass = 0; pass < 2; ++pass) {
    const WindowRect before = form.Bounds();
    const WindowRect placed = CentreOnMonitor(before, monitor, centring);
    if (placed.left != before.left) form.SetLeft(placed.left);
    if (placed.top != before.top) form.SetTop(placed.top);
    const WindowRect after = form.Bounds();
    if (after.width == before.width && after.height == before.height) return;  // same scale
  }
}

Point CentreOf(const WindowRect& r) {
  return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace qv
