// Scaling 96-dpi numbers, and which monitor a window goes to and where.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "desktop/dpi_scale.h"
#include "desktop/monitor_placement.h"

namespace qv {
namespace {

// Rounded as MulDiv: halves away from zero, so offsets to either side stay mirror images.
TEST(ScaleForDpi, RoundsAsWindowsAndKeepsEveryPixelAt96) {
  const struct {
    int pixels, dpi, expected;
  } cases[] = {{13, 120, 16}, {13, 144, 20},   {13, 192, 26},   {1, 144, 2}, {-5, 144, -8},
               {5, 144, 8},   {-20, 120, -25}, {249, 144, 374}, {0, 192, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.pixels, c.dpi), c.expected) << c.pixels;
  for (int pixels = -600; pixels <= 2000; ++pixels) ASSERT_EQ(ScaleForDpi(pixels, 96), pixels);
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
  for (const auto& c : cases)
    EXPECT_EQ(MonitorOfWork(kMonitors, c.front, c.pointer).bounds.left, c.expected.bounds.left)
        << c.pointer.x << "," << c.pointer.y;
}

// One monitor: the desktop's centre, as before (the first showing, then the hot key). At
// negative coordinates, a Top kept from the other monitor is brought into the work area; a
// window larger than the work area keeps its top-left corner on screen.
TEST(CentreOnMonitor, AsOnTheDesktopThenInsideTheWorkArea) {
  const struct {
    WindowRect window;
    const Monitor& monitor;
    Centring centring;
    int left, top;
  } cases[] = {
      {{7, 7, 249, 496}, kPrimary, Centring::BothWays, 515, 264},
      {{7, 364, 249, 496}, kPrimary, Centring::Horizontally, 515, 364},
      {{0, 0, 374, 744}, kLeft, Centring::BothWays, -987, 28},
      {{0, 800, 374, 744}, kLeft, Centring::Horizontally, -987, 216},
      {{0, 0, 1400, 1100}, kPrimary, Centring::BothWays, 0, 0},
  };
  for (const auto& c : cases) {
    const WindowRect placed = CentreOnMonitor(c.window, c.monitor, c.centring);
    EXPECT_EQ((std::array{placed.left, placed.top}), (std::array{c.left, c.top})) << c.window.top;
  }
}

// A 50-line preview from label Z, low on the screen: above the pointer, its end in view.
TEST(PlaceHintAtPointer, BelowThenAboveThenInsideTheWorkArea) {
  const struct {
    Point pointer;
    int height, left, top;
  } cases[] = {
      {{100, 100}, 600, 100, 120},    // fits below
      {{100, 800}, 600, 100, 180},    // above
      {{100, 500}, 600, 100, 400},    // neither: its bottom on the work area's
      {{1250, 100}, 100, 1080, 120},  // not across the right edge
  };
  for (const auto& c : cases) {
    const WindowRect hint = PlaceHintAtPointer(200, c.height, c.pointer, 20, kPrimary);
    EXPECT_EQ((std::array{hint.left, hint.top}), (std::array{c.left, c.top})) << c.pointer.y;
  }
}

}  // namespace
}  // namespace qv
