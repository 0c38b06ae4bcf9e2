#pragma once
// The core's texts are the Windows program's; a few name Windows where this program means
// the X server or the window manager. They are told here in X's words.
#include <string>

namespace qv {

std::string InXWords(std::string text);

}  // namespace qv
