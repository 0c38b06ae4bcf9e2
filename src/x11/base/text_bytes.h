#pragma once
// The clip's text in the two forms X asks for beside UTF-8. The core's text is UTF-8; a byte
// outside a UTF-8 sequence, should one reach here, is read as its Latin-1 letter rather than
// dropped.
#include <string>

namespace qv {

// For Xft: UTF-8 throughout, every byte outside a UTF-8 sequence as its Latin-1 letter; NUL
// bytes left out.
std::string DisplayableText(const std::string& bytes);
// For the STRING target (ISO Latin-1): UTF-8 letters that Latin-1 has become that byte, other
// UTF-8 letters '?', bytes outside a UTF-8 sequence stay as they are.
std::string Latin1Text(const std::string& text);

}  // namespace qv
