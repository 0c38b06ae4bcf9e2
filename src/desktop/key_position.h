#pragma once
// Slot keys by where they sit, as Windows' virtual keys for letters and digits are: under a
// layout without Latin letters (Russian, Greek) the key where a US keyboard has C still
// chooses slot C. Positions are named as XKB names them (X11 and Wayland alike): "AB03" is the
// third key of the row above the space bar.
#include <string_view>

namespace qv {

// The virtual key ('A'..'Z', '0'..'9') of the letter or digit a US keyboard has at `keyName`;
// 0 for any other key.
unsigned VirtualKeyOfPosition(std::string_view keyName);

}  // namespace qv
