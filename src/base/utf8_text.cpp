#include "base/utf8_text.h"

#include <algorithm>
#include <iterator>

namespace qv {

namespace {

constexpr char32_t kInvalid = kNotUtf8;

}  // namespace

Utf8CodePoint DecodeUtf8At(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t value = 0, least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, value = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, value = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, value = lead & 0x07, least = 0x10000;
  } else {
    return {kInvalid, 1};
  }
  if (text.size() - at < length) return {kInvalid, 1};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return {kInvalid, 1};
    value = (value << 6) | (byte(i) & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return {kInvalid, 1};
  return {value, length};
}

void AppendUtf8(std::string& out, char32_t c) {
  const auto put = [&](unsigned bits) { out += static_cast<char>(bits); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
  }
}

namespace {

// Code points drawn on the character before them: combining marks of the common scripts,
// variation selectors, emoji modifiers and tags, and the joiners.
constexpr std::pair<char32_t, char32_t> kAttached[] = {
    {0x0300, 0x036F},   {0x0483, 0x0489},   {0x0591, 0x05BD}, {0x05BF, 0x05C7}, {0x0610, 0x061A},
    {0x064B, 0x065F},   {0x0670, 0x0670},   {0x06D6, 0x06ED}, {0x0711, 0x0711}, {0x0730, 0x074A},
    {0x07A6, 0x07B0},   {0x0900, 0x0903},   {0x093A, 0x094F}, {0x0951, 0x0957}, {0x0962, 0x0963},
    {0x0981, 0x0983},   {0x09BC, 0x09D7},   {0x0A01, 0x0A03}, {0x0A3C, 0x0A51}, {0x0A81, 0x0A83},
    {0x0ABC, 0x0ACD},   {0x0B01, 0x0B03},   {0x0B3C, 0x0B57}, {0x0BBE, 0x0BCD}, {0x0C00, 0x0C04},
    {0x0C3E, 0x0C56},   {0x0C81, 0x0C83},   {0x0CBC, 0x0CD6}, {0x0D00, 0x0D03}, {0x0D3B, 0x0D57},
    {0x0E31, 0x0E31},   {0x0E34, 0x0E3A},   {0x0E47, 0x0E4E}, {0x0EB1, 0x0EBC}, {0x0EC8, 0x0ECD},
    {0x0F71, 0x0F84},   {0x1AB0, 0x1AFF},   {0x1DC0, 0x1DFF}, {0x200C, 0x200D}, {0x20D0, 0x20FF},
    {0x302A, 0x302F},   {0x3099, 0x309A},   {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0x1F3FB, 0x1F3FF},
    {0xE0020, 0xE007F}, {0xE0100, 0xE01EF},
};

bool Attached(char32_t c) {
  if (c < 0x0300) return false;
  const auto after =
      std::upper_bound(std::begin(kAttached), std::end(kAttached), c,
                       [](char32_t v, const auto& range) { return v < range.first; });
  return after != std::begin(kAttached) && c <= std::prev(after)->second;
}

constexpr char32_t kZeroWidthJoiner = 0x200D;

bool RegionalIndicator(char32_t c) {
  return c >= 0x1F1E6 && c <= 0x1F1FF;
}

// Hangul syllable parts: leading consonants, vowels, trailing consonants, and the
// precomposed syllables with (LVT) or without (LV) a trailing consonant.
enum class Jamo { None, L, V, T, LV, LVT };

Jamo JamoOf(char32_t c) {
  if ((c >= 0x1100 && c <= 0x115F) || (c >= 0xA960 && c <= 0xA97C)) return Jamo::L;
  if ((c >= 0x1160 && c <= 0x11A7) || (c >= 0xD7B0 && c <= 0xD7C6)) return Jamo::V;
  if ((c >= 0x11A8 && c <= 0x11FF) || (c >= 0xD7CB && c <= 0xD7FB)) return Jamo::T;
  if (c >= 0xAC00 && c <= 0xD7A3) return (c - 0xAC00) % 28 == 0 ? Jamo::LV : Jamo::LVT;
  return Jamo::None;
}

bool HangulJoins(Jamo before, Jamo next) {
  switch (before) {
    case Jamo::L:
      return next == Jamo::L || next == Jamo::V || next == Jamo::LV || next == Jamo::LVT;
    case Jamo::V:
    case Jamo::LV:
      return next == Jamo::V || next == Jamo::T;
    case Jamo::T:
    case Jamo::LVT:
      return next == Jamo::T;
    default:
      return false;
  }
}

// The grapheme cluster rule of the cases a title meets: CR LF, marks and selectors, emoji
// joined by ZWJ, flags (regional indicators in pairs), decomposed Hangul syllables.
class ClusterBreaks {
 public:
  // True when a new character starts at `next`.
  bool StartsAt(char32_t next) {
    bool joins = false;
    if (started_) {
      joins = (previous_ == U'\r' && next == U'\n') || (next != kInvalid && Attached(next)) ||
              previous_ == kZeroWidthJoiner || (RegionalIndicator(next) && oddIndicators_) ||
              HangulJoins(jamo_, JamoOf(next));
    }
    oddIndicators_ = RegionalIndicator(next) && !(joins && oddIndicators_);
    jamo_ = next == kInvalid ? Jamo::None : JamoOf(next);
    previous_ = next;
    started_ = true;
    return !joins;
  }

 private:
  bool started_ = false;
  bool oddIndicators_ = false;  // the cluster so far ends in an unpaired regional indicator
  Jamo jamo_ = Jamo::None;
  char32_t previous_ = 0;
};

// Walks the characters; `visit(begin)` for each, with its byte offset, until it says stop.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
  ClusterBreaks breaks;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8CodePoint point = DecodeUtf8At(text, at);
    if (breaks.StartsAt(point.value) && !visit(at)) return;
    at += point.length;
  }
}

}  // namespace

// Every load and save asks this of the whole file: where the processor has them, in 32-byte
// lanes.
#if defined(__x86_64__) && defined(__linux__)
__attribute__((target_clones("avx2", "default")))
#endif
bool IsAscii(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  unsigned char high = 0;
  for (std::size_t i = 0; i < text.size(); ++i) high |= p[i];
  return high < 0x80;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Utf8CodePoint point = DecodeUtf8At(text, at);
    if (point.value == kInvalid) return false;
    at += point.length;
  }
  return true;
}

std::size_t CharacterCount(std::string_view text) {
  if (IsAscii(text)) return text.size();
  std::size_t count = 0;
  ForEachCharacter(text, [&](std::size_t) { return ++count, true; });
  return count;
}

std::size_t CharacterPrefix(std::string_view text, std::size_t characters) {
  if (text.size() <= characters) return text.size();  // no more characters than bytes
  std::size_t seen = 0, end = text.size();
  ForEachCharacter(text, [&](std::size_t begin) {
    if (seen++ < characters) return true;
    end = begin;
    return false;
  });
  return end;
}

std::string DisplayableUtf8(std::string_view text) {
  if (IsValidUtf8(text) && text.find('\0') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t at = 0; at < text.size();) {
    const Utf8CodePoint point = DecodeUtf8At(text, at);
    if (point.value == kInvalid || point.value == 0)
      AppendUtf8(out, kReplacementCharacter);
    else
      out.append(text.substr(at, point.length));
    at += point.length;
  }
  return out;
}

std::string Latin1Text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Utf8CodePoint point = DecodeUtf8At(text, at);
    out += point.value <= 0xFF ? static_cast<char>(point.value) : '?';
    at += point.length;
  }
  return out;
}

std::size_t CodePointCount(std::string_view text) {
  if (IsAscii(text)) return text.size();
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += DecodeUtf8At(text, at).length) ++count;
  return count;
}

std::size_t CodePointPrefix(std::string_view text, std::size_t codePoints) {
  std::size_t at = 0;
  for (; at < text.size() && codePoints > 0; --codePoints) at += DecodeUtf8At(text, at).length;
  return at;
}

}  // namespace qv
