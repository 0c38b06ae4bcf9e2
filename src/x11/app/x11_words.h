#pragma once
// The X11 program's phrases in the core's messages.
#include "base/platform_words.h"

namespace qv {

inline PlatformWords X11Words() {
  return {.keyGuard = "The X server",
          .hotKeyHolder = "the window manager",
          .programFile = "quorvanel",
          .ownFolder = "your home folder"};
}

}  // namespace qv
