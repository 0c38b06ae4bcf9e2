#pragma once
// Code pages as Windows maps them: 1252 whole, 1251's letters (its other high bytes here as
// in Latin-1), and the UTF-8 system code page that keeps a legacy one for old files.
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
    for (int b = 0x80; b < 0x100; ++b) {
      char16_t c = legacy == 1252 && b < 0xA0 ? k1252[b - 0x80] : static_cast<char16_t>(b);
      if (legacy == 1251 && (b >= 0xC0 || b == 0xA8 || b == 0xB8))
        c = b == 0xA8 ? 0x401 : b == 0xB8 ? 0x451 : static_cast<char16_t>(0x410 + b - 0xC0);
      std::string& s = high_[b - 0x80];  // c in UTF-8
      if (c < 0x800) s = {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
      if (c >= 0x800)
        s = {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
             static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  std::string Decode(std::string_view bytes) const override {
    std::string text;
    for (const unsigned char b : bytes)
      text += b < 0x80 ? std::string(1, static_cast<char>(b)) : high_[b - 0x80];
    return text;
  }
  std::optional<std::string> Encode(std::string_view text) const override {
    std::string bytes;
    for (std::size_t i = 0; i < text.size();) {
      if (static_cast<unsigned char>(text[i]) < 0x80) {
        bytes += text[i++];
        continue;
      }
      std::size_t b = 0;  // UTF-8 sequences are prefix-free: the first match is the one
      while (b < high_.size() && text.substr(i, high_[b].size()) != high_[b]) ++b;
      if (b == high_.size()) return std::nullopt;
      bytes += static_cast<char>(b + 0x80);
      i += high_[b].size();
    }
    return bytes;
  }
  bool Utf8ByDefault() const override { return utf8System_; }

 private:
  std::array<std::string, 128> high_;
  bool utf8System_;
};

inline const FakeCodePage kWestern;  // 1252, the code page of the shipped files

}  // namespace qv::test
