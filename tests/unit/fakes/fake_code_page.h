#pragma once
// Code pages as Windows maps them: 1252 whole, 1251's letters (its other high bytes here as
// in Latin-1), and the UTF-8 system code page that keeps a legacy one for old files.
#include <algorithm>
#include <array>
#include <string>

#include "library/code_page.h"

namespace qv::test {

class FakeCodePage : public CodePage {
 public:
  explicit FakeCodePage(int legacy = 1252, bool utf8System = false) : utf8System_(utf8System) {
    static constexpr char16_t k1252[32] = {
        0x20AC, 0x81,   0x201A, 0x192,  0x201E, 0x2026, 0x2020, 0x2021, 0x2C6,  0x2030, 0x160,
        0x2039, 0x152,  0x8D,   0x17D,  0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x2DC,  0x2122, 0x161,  0x203A, 0x153,  0x9D,   0x17E,  0x178};
    for (int b = 0x80; b < 0x100; ++b) high_[b - 0x80] = static_cast<char16_t>(b);
    if (legacy == 1252) std::copy(std::begin(k1252), std::end(k1252), high_.begin());
    if (legacy == 1251) {
      for (int b = 0xC0; b < 0x100; ++b) high_[b - 0x80] = static_cast<char16_t>(0x410 + b - 0xC0);
      high_[0xA8 - 0x80] = 0x401, high_[0xB8 - 0x80] = 0x451;
    }
  }
  std::string Decode(std::string_view bytes) const override {
    std::string text;
    for (unsigned char b : bytes) {
      const char16_t c = b < 0x80 ? b : high_[b - 0x80];
      if (c < 0x80) {
        text += static_cast<char>(c);
      } else if (c < 0x800) {
        text += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
      } else {
        text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
      }
    }
    return text;
  }
  std::optional<std::string> Encode(std::string_view text) const override {
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
      const auto b = static_cast<unsigned char>(text[i]);
      const std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
      char32_t c = length == 1 ? b : b & (0x3F >> (length - 1));
      for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
      i += length;
      if (c < 0x80) {
        bytes += static_cast<char>(c);
        continue;
      }
      const auto at = std::find(high_.begin(), high_.end(), c);
      if (at == high_.end()) return std::nullopt;
      bytes += static_cast<char>(0x80 + (at - high_.begin()));
    }
    return bytes;
  }
  bool Utf8ByDefault() const override { return utf8System_; }

 private:
  std::array<char16_t, 128> high_{};
  bool utf8System_;
};

inline const FakeCodePage kWestern;  // 1252, the code page of the shipped files

}  // namespace qv::test
