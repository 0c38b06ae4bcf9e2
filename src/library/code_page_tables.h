#pragma once
// Windows' single-byte code pages, so that every platform reads old 8-bit files as the
// Windows program wrote them.
#include <array>

namespace qv {

using HighHalf = std::array<char16_t, 128>;  // the characters of bytes 0x80..0xFF

// Nothing for a code page without a table here (the double-byte ones of East Asia).
const HighHalf* HighHalfOf(unsigned codePage);

}  // namespace qv
