#include "x11/base/text_bytes.h"

namespace qv {

namespace {

// Length of the UTF-8 sequence starting at `i`, 0 when it is not one.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  std::size_t length = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
  if (length == 0 || i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return length;
}

}  // namespace

std::string DisplayableText(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    if (const std::size_t length = Utf8Length(bytes, i)) {
      if (!(length == 1 && bytes[i] == '\0')) out.append(bytes, i, length);
      i += length;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(bytes[i++]);
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

std::string Latin1Text(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8Length(text, i);
    if (length <= 1) {  // ASCII, or a byte of 8-bit text: Latin-1 already
      out += text[i++];
      continue;
    }
    unsigned code = static_cast<unsigned char>(text[i]) & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += length;
  }
  return out;
}

}  // namespace qv
