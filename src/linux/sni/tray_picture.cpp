#include "linux/sni/tray_picture.h"

#include <algorithm>

namespace qv::x11 {

TrayPicture ClipboardPicture(int size) {
  TrayPicture picture{size, size,
                      std::vector<std::uint32_t>(static_cast<std::size_t>(size * size))};
  const auto fill = [&](int left, int top, int width, int height, std::uint32_t rgb) {
    for (int y = std::max(top, 0); y < std::min(top + height, size); ++y)
      for (int x = std::max(left, 0); x < std::min(left + width, size); ++x)
        picture.argb[static_cast<std::size_t>(y * size + x)] = 0xFF000000 | rgb;
  };
  // A brown board, a white sheet with three lines, the grey clip on top.
  const int unit = std::max(size / 11, 1);
  const int left = (size - 8 * unit) / 2, top = (size - 10 * unit) / 2;
  fill(left, top + unit, 8 * unit, 9 * unit, 0x8B5A2B);
  fill(left + unit, top + 2 * unit, 6 * unit, 7 * unit, 0xFFFFFF);
  for (int line = 0; line < 3; ++line)
    fill(left + 2 * unit, top + (4 + 2 * line) * unit, 4 * unit, std::max(unit / 2, 1), 0x000080);
  fill(left + 2 * unit, top, 4 * unit, 2 * unit, 0x707070);
  return picture;
}

}  // namespace qv::x11
