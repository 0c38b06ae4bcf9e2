#pragma once
// Text is UTF-8 throughout the program. Lengths the user sees count characters: a character
// outside the BMP is one, and a combining mark belongs to the character before it.
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

}  // namespace qv
