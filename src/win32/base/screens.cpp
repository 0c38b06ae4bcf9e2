#include "win32/base/screens.h"

#include <shellscalingapi.h>

#include "win32/base/system_library.h"

namespace qv {

namespace {

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

// shcore is loaded when a monitor's dpi is first asked for, not at start-up.
int DpiOfMonitor(HMONITOR monitor) {
  using GetDpi = HRESULT(WINAPI*)(HMONITOR, MONITOR_DPI_TYPE, UINT*, UINT*);
  static const GetDpi getDpi =
      SystemFunction<GetDpi>(LoadSystemLibrary("shcore.dll"), "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpi && SUCCEEDED(getDpi(monitor, MDT_EFFECTIVE_DPI, &x, &y)) && y > 0)
    return static_cast<int>(y);
  return SystemDpi();
}

WindowRect RectOf(const RECT& r) {
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
        {RectOf(info.rcMonitor), RectOf(info.rcWork), DpiOfMonitor(monitor),
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

// The shell's desktop spans every monitor and tells nothing of where the user works.
std::optional<WindowRect> FrontWindow() {
  HWND front = GetForegroundWindow();
  if (!front || !IsWindowVisible(front) || IsIconic(front) || front == GetShellWindow() ||
      front == GetDesktopWindow())
    return std::nullopt;
  RECT r{};
  if (!GetWindowRect(front, &r)) return std::nullopt;
  return RectOf(r);
}

}  // namespace

int DpiOfWindow(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const GetDpi getDpi = SystemFunction<GetDpi>("user32.dll", "GetDpiForWindow");
  const int dpi = window && getDpi ? static_cast<int>(getDpi(window)) : 0;
  if (dpi > 0) return dpi;
  // Per-monitor systems before Windows 10 1607 (8.1, the first 10s): the dpi of the window's
  // monitor, the primary one for a window not made yet; the system's where shcore is missing.
  return DpiOfMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
}

int MetricForDpi(int index, int dpi) {
  using GetMetric = int(WINAPI*)(int, UINT);
  static const GetMetric getMetric =
      SystemFunction<GetMetric>("user32.dll", "GetSystemMetricsForDpi");
  return getMetric ? getMetric(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi) {
  using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const Adjust adjust = SystemFunction<Adjust>("user32.dll", "AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
}

ScreenState ScreensNow() {
  ScreenState screens;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screens.monitors));
  screens.front = FrontWindow();
  POINT pointer{};
  if (GetCursorPos(&pointer)) screens.pointer = {pointer.x, pointer.y};
  return screens;
}

}  // namespace qv
