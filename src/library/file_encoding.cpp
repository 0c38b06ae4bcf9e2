#include "library/file_encoding.h"

#include <cstdint>

#include "base/utf8_text.h"

namespace qv {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE", kUtf16BeMark = "\xFE\xFF";

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// UTF-16 after its mark as UTF-8; a lone surrogate or odd last byte becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]),
               b = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (a << 8) | b : (b << 8) | a;
  };
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
        unit(i + 2) < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  if (bytes.size() % 2) AppendUtf8(out, 0xFFFD);
  return out;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
  std::string out(bigEndian ? kUtf16BeMark : kUtf16LeMark);
  const auto put = [&](std::uint32_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    std::uint32_t c = length == 1 ? b : b & (0xFF >> (length + 1));
    for (int k = 1; k < length && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
  }
  return out;
}

}  // namespace

bool IsUtf16File(std::string_view bytes) {
  return bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark);
}

std::string FileText::Decode(std::string bytes, const CodePage& codePage) {
  unreadable_.reset();
  if (bytes.starts_with(kUtf8Mark)) {
    encoding_ = FileEncoding::Utf8WithMark;
    return bytes.erase(0, kUtf8Mark.size());
  }
  if (IsUtf16File(bytes)) {
    const bool bigEndian = bytes.starts_with(kUtf16BeMark);
    encoding_ = bigEndian ? FileEncoding::Utf16Be : FileEncoding::Utf16Le;
    return Utf16ToUtf8(std::string_view(bytes).substr(2), bigEndian);
  }
  encoding_ = FileEncoding::CodePage;
  if (IsAscii(bytes)) return bytes;  // the same text in every encoding read here
  if (IsValidUtf8(bytes)) {
    encoding_ = FileEncoding::Utf8;
    return bytes;
  }
  std::string text = codePage.Decode(bytes);
  if (codePage.Encode(text) != bytes) unreadable_ = Unreadable{std::move(bytes), text};
  return text;
}

std::string_view FileText::Encode(std::string_view text, const CodePage& codePage,
                                  std::string& scratch) {
  if (encoding_ == FileEncoding::Utf8) return text;
  if (encoding_ == FileEncoding::Utf16Le || encoding_ == FileEncoding::Utf16Be)
    return scratch = Utf8ToUtf16(text, encoding_ == FileEncoding::Utf16Be);
  if (encoding_ == FileEncoding::CodePage) {
    if (unreadable_ && text == unreadable_->text) return unreadable_->bytes;
    if (IsAscii(text)) return text;
    if (auto bytes = codePage.Encode(text)) return scratch = std::move(*bytes);
    encoding_ = FileEncoding::Utf8WithMark;
  }
  scratch.reserve(kUtf8Mark.size() + text.size());
  return (scratch = kUtf8Mark) += text;
}

}  // namespace qv
