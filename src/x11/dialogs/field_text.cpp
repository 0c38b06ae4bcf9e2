#include "x11/dialogs/field_text.h"

#include <cstdint>

#include "x11/base/western_text.h"

namespace qv::x11 {

namespace {

// The length of the well-formed UTF-8 sequence at `at`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(at);
  std::size_t length = 0;
  char32_t c = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2, c = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, c = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, c = lead & 0x07;
  else
    return 0;
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(at + i) & 0x3F);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
  return overlong || surrogate || c > 0x10FFFF ? 0 : length;
}

}  // namespace

std::string ToFieldText(std::string_view text, bool lines) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (lines && c == '\r') {
      out += '\n';
      at += at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
      continue;
    }
    // A NUL would end the text for GTK: it is shown as the replacement character.
    if (c == '\0') {
      AppendUtf8(out, 0xFFFD);
      ++at;
      continue;
    }
    const std::size_t length = Utf8Length(text, at);
    if (length > 0) {
      out.append(text.substr(at, length));
      at += length;
      continue;
    }
    const auto byte = static_cast<std::uint8_t>(c);
    AppendWesternByte(out, byte);
    ++at;
  }
  return out;
}

std::string FromFieldLines(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace qv::x11
