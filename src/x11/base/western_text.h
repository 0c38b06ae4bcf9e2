#pragma once
// Western Europe's Windows code page (1252), the one old data files and 8-bit clip bytes are
// read in on X11.
#include <optional>
#include <string>

namespace qv {

void AppendUtf8(std::string& out, char32_t c);  // c below U+10000
// The byte's character; the five bytes 1252 leaves empty keep their C1 code points.
void AppendWesternByte(std::string& out, unsigned char byte);
// The byte that stands for `c`; nothing when the code page lacks it.
std::optional<char> WesternByteOf(char32_t c);

}  // namespace qv
