#pragma once
// Text is UTF-8 throughout the program. Lengths the user sees count characters as a reader
// sees them: a character outside the BMP is one, a combining mark belongs to the character
// before it, and a flag, an emoji joined by ZWJ or a Hangul syllable typed in parts is one.
#include <cstddef>
#include <string>
#include <string_view>

namespace qv {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";  // the byte order mark

// One code point of UTF-8: its value, or kNotUtf8 for a byte that starts no well-formed
// sequence (then `length` is 1).
inline constexpr char32_t kNotUtf8 = 0xFFFFFFFF;
inline constexpr char32_t kReplacementCharacter = 0xFFFD;
struct Utf8CodePoint {
  char32_t value;
  std::size_t length;
};
Utf8CodePoint DecodeUtf8At(std::string_view text, std::size_t at);
void AppendUtf8(std::string& out, char32_t c);

bool IsAscii(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Characters as a text editor shows them; a byte that is no UTF-8 counts as one.
std::size_t CharacterCount(std::string_view text);
// Bytes of the first `characters` characters, each with its marks: never half a character.
std::size_t CharacterPrefix(std::string_view text, std::size_t characters);
// Code points: the characters as a data file writes them, one byte of an 8-bit code page
// being one (the tags' 21). A byte that is no UTF-8 counts as one.
std::size_t CodePointCount(std::string_view text);
std::size_t CodePointPrefix(std::string_view text, std::size_t codePoints);

// Well-formed UTF-8 for a platform that takes nothing else: a byte outside a sequence, and
// NUL (which would end the text there), become U+FFFD.
std::string DisplayableUtf8(std::string_view text);
// ISO Latin-1 (X's STRING): a character Latin-1 lacks becomes '?'.
std::string Latin1Text(std::string_view text);

}  // namespace qv
