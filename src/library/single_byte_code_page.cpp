#include "library/single_byte_code_page.h"

#include <algorithm>

#include "base/utf8_text.h"

namespace qv {

SingleByteCodePage::SingleByteCodePage(CodePageChoice choice, bool utf8ByDefault)
    : choice_(choice), high_(*HighHalfOf(choice.used)), utf8ByDefault_(utf8ByDefault) {}

std::string SingleByteCodePage::Decode(std::string_view bytes) const {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(text, byte < 0x80 ? byte : high_[byte - 0x80]);
  }
  return text;
}

std::optional<std::string> SingleByteCodePage::Encode(std::string_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8CodePoint point = DecodeUtf8At(text, at);
    at += point.length;
    if (point.value < 0x80) {
      bytes += static_cast<char>(point.value);
      continue;
    }
    const auto found = std::find(high_.begin(), high_.end(), point.value);
    if (found == high_.end()) return std::nullopt;
    bytes += static_cast<char>(0x80 + (found - high_.begin()));
  }
  return bytes;
}

std::string SingleByteCodePage::ReadInNotice() const {
  return choice_.used != choice_.wanted ? OldFilesFallbackNotice(choice_.wanted) : "";
}

}  // namespace qv
