// Scaling 96-dpi numbers, and which monitor a window goes to and where.
#include <gtest/gtest.h>

#include <vector>

#include "desktop/dpi_scale.h"
#include "desktop/monitor_placement.h"

namespace qv {
namespace {

bool operator==(const WindowRect& a, const WindowRect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// Rounded as MulDiv: halves away from zero, so offsets to either side stay mirror images.
TEST(ScaleForDpi, RoundsAsWindowsAndKeepsEveryPixelAt96) {
  const struct {
    int pixels, dpi, expected;
  } cases[] = {{13, 120, 16}, {13, 144, 20},   {13, 192, 26},   {1, 144, 2}, {-5, 144, -8},
               {5, 144, 8},   {-20, 120, -25}, {249, 144, 374}, {0, 192, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.pixels, c.dpi), c.expected) << c.pixels;
  for (int pixels = -600; pixels <= 2000; ++pixels) ASSERT_EQ(ScaleForDpi(pixels, 96), pixels);
  EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
  EXPECT_EQ(MulDivRounded(1 << 30, 4, 1), -1);
  const int fontHeights[][2] = {{96, -11}, {120, -13}, {144, -16}, {192, -21}};
  for (const auto& [dpi, height] : fontHeights) EXPECT_EQ(FontHeightForDpi(8, dpi), height);
}

// Two monitors side by side; the secondary one, left of the primary, at negative x and
// 144 dpi. The primary one is listed last.
const Monitor kLeft{{-1600, -200, 1600, 1200}, {-1600, -200, 1600, 1160}, 144, false};
const Monitor kPrimary{{0, 0, 1280, 1024}, {0, 0, 1280, 1000}, 96, true};
const std::vector<Monitor> kMonitors{kLeft, kPrimary};

TEST(MonitorOfWork, FrontWindowThenPointerThenPrimary) {
  const struct {
    std::optional<WindowRect> front;
    Point pointer;
    const Monitor& expected;
  } cases[] = {
      {WindowRect{-900, 100, 400, 300}, {100, 100}, kLeft},      // the pointer does not count
      {WindowRect{-100, 100, 400, 300}, {-900, 100}, kPrimary},  // overlaps it most
      {WindowRect{-200, 100, 400, 300}, {-900, 100}, kPrimary},  // a tie: holds its centre
      {WindowRect{-32000, -32000, 160, 28}, {-5, 0}, kLeft},     // minimised: the pointer's
      {std::nullopt, {-1, 999}, kLeft},
      {std::nullopt, {500, 1100}, kPrimary},  // on no monitor
  };
  for (const auto& c : cases) {
    const Monitor chosen = MonitorOfWork(kMonitors, c.front, c.pointer);
    EXPECT_TRUE(chosen.bounds == c.expected.bounds) << c.pointer.x << "," << c.pointer.y;
  }
}

TEST(CentreOnMonitor, AsOnTheDesktopThenInsideTheWorkArea) {
  // One monitor: the desktop's centre, as before (the first showing, then the hot key).
  EXPECT_TRUE(CentreOnMonitor({7, 7, 249, 496}, kPrimary, Centring::BothWays) ==
              (WindowRect{515, 264, 249, 496}));
  EXPECT_TRUE(CentreOnMonitor({7, 364, 249, 496}, kPrimary, Centring::Horizontally) ==
              (WindowRect{515, 364, 249, 496}));
  // At negative coordinates; a Top kept from the other monitor is brought into the work area.
  EXPECT_TRUE(CentreOnMonitor({0, 0, 374, 744}, kLeft, Centring::BothWays) ==
              (WindowRect{-987, 28, 374, 744}));
  EXPECT_TRUE(CentreOnMonitor({0, 800, 374, 744}, kLeft, Centring::Horizontally) ==
              (WindowRect{-987, 216, 374, 744}));
  EXPECT_TRUE(CentreOnMonitor({0, -900, 374, 744}, kLeft, Centring::Horizontally) ==
              (WindowRect{-987, -200, 374, 744}));
  // Larger than the work area: its top-left corner stays on screen.
  EXPECT_TRUE(CentreOnMonitor({0, 0, 1400, 1100}, kPrimary, Centring::BothWays) ==
              (WindowRect{0, 0, 1400, 1100}));
}

}  // namespace
}  // namespace qv
