#include "x11/base/western_text.h"

#include <array>

namespace qv {
namespace {

// 0x80..0x9F; 0 where the code page has no character (the byte keeps its C1 code point).
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePoint(unsigned char byte) {
  if (byte < 0x80 || byte > 0x9F) return byte;
  const char32_t mapped = kHighControls[byte - 0x80];
  return mapped != 0 ? mapped : byte;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendWesternByte(std::string& out, unsigned char byte) {
  AppendUtf8(out, CodePoint(byte));
}

std::optional<char> WesternByteOf(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned byte = 0x80; byte <= 0x9F; ++byte)
    if (CodePoint(static_cast<unsigned char>(byte)) == c) return static_cast<char>(byte);
  return std::nullopt;
}

}  // namespace qv
