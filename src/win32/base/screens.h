#pragma once
// The monitors and their dpi as Windows tells them. The calls of Windows 8.1 and 10 are
// looked up, so that the program still starts on Windows 7, where the system's dpi is the
// one dpi.
#include <windows.h>

#include "desktop/desktop_services.h"

namespace qv {

// The dpi of the monitor the window is on; the system's for none.
int DpiOfWindow(HWND window);
// A system metric (SM_CXEDGE, SM_CXSMICON, ...) at a dpi.
int MetricForDpi(int index, int dpi);
// The frame's rectangle around a client rectangle, at a dpi.
void AdjustFrameForDpi(RECT& frame, DWORD style, DWORD exStyle, int dpi);

// The monitors, the window in front and the pointer now.
ScreenState ScreensNow();

class Win32Screens : public Screens {
 public:
  ScreenState LookAtScreens() override { return ScreensNow(); }
};

}  // namespace qv
