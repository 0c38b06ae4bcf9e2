#pragma once
// The clip's bytes in the two forms X asks for beside UTF-8. Until the core speaks UTF-8 the
// data files' bytes pass through: valid UTF-8 stays as it is, and any other byte is read as
// the Latin-1 letter it is in the files' 8-bit text.
#include <string>

namespace qv {

// For Xft: UTF-8 throughout, every byte outside a UTF-8 sequence as its Latin-1 letter; NUL
// bytes left out.
std::string DisplayableText(const std::string& bytes);
// For the STRING target (ISO Latin-1): UTF-8 letters that Latin-1 has become that byte, other
// UTF-8 letters '?', bytes outside a UTF-8 sequence stay as they are.
std::string Latin1Text(const std::string& text);

}  // namespace qv
