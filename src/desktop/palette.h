#pragma once
// The program's colours as the design gives them, 0xRRGGBB; each front end turns them into
// its own colour values.
#include <cstdint>

namespace qv::colour {

using Rgb = std::uint32_t;
inline constexpr Rgb kPanel = 0xE0C070;   // panels and dialogs
inline constexpr Rgb kButton = 0xC0B090;  // button panels, key labels
inline constexpr Rgb kList = 0xFFFFCC;
inline constexpr Rgb kNavy = 0x000080;  // labels, captions, the rows
inline constexpr Rgb kMaroon = 0x800000;
inline constexpr Rgb kYellow = 0xFFFF00;
inline constexpr Rgb kBlue = 0x0000FF;
inline constexpr Rgb kButtonDown = 0xF0E0B8;  // a suffix button held down

}  // namespace qv::colour
