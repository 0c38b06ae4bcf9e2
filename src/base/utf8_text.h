#pragma once
// Text is UTF-8 throughout the program. Lengths the user sees count characters as a reader
// sees them: a character outside the BMP is one, a combining mark belongs to the character
// before it, and a flag, an emoji joined by ZWJ or a Hangul syllable typed in parts is one.
#include <cstddef>
#include <string_view>

namespace qv {

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";  // the byte order mark

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

}  // namespace qv
