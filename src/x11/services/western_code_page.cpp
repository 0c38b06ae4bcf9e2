#include "x11/services/western_code_page.h"

#include "x11/base/western_text.h"

namespace qv {

std::string WesternCodePage::Decode(std::string_view bytes) const {
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) AppendWesternByte(text, static_cast<unsigned char>(byte));
  return text;
}

std::optional<std::string> WesternCodePage::Encode(std::string_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 4 || i + length > text.size()) return std::nullopt;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (text[i + k] & 0x3F);
    i += length;
    const std::optional<char> byte = WesternByteOf(c);
    if (!byte) return std::nullopt;
    bytes += *byte;
  }
  return bytes;
}

}  // namespace qv
