#include "desktop/dpi_scale.h"

#include <cstdint>
#include <limits>

namespace qv {

namespace {
constexpr int kPointsPerInch = 72;
}  // namespace

int MulDivRounded(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t result = (product >= 0 ? product + half : product - half) / divisor;
  if (result > std::numeric_limits<int>::max() || result < -std::numeric_limits<int>::max())
    return -1;
  return static_cast<int>(result);
}

int ScaleForDpi(int designPixels, int dpi) {
  return MulDivRounded(designPixels, dpi, kDesignDpi);
}

Point ScaleForDpi(Point design, int dpi) {
  return {ScaleForDpi(design.x, dpi), ScaleForDpi(design.y, dpi)};
}

WindowRect ScaleForDpi(const WindowRect& design, int dpi) {
  const int left = ScaleForDpi(design.left, dpi);
  const int top = ScaleForDpi(design.top, dpi);
  return {left, top, ScaleForDpi(design.left + design.width, dpi) - left,
          ScaleForDpi(design.top + design.height, dpi) - top};
}

int FontHeightForDpi(int points, int dpi) {
  return -MulDivRounded(points, dpi, kPointsPerInch);
}

bool Contains(const WindowRect& r, Point p) {
  return p.x >= r.left && p.x < r.left + r.width && p.y >= r.top && p.y < r.top + r.height;
}

}  // namespace qv
