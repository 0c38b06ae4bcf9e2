#pragma once
// The Linux program's phrases in the core's messages (on X11 and Wayland alike).
#include "base/platform_words.h"

namespace qv {

inline PlatformWords LinuxWords() {
  return {.keyGuard = "The X server",
          .hotKeyHolder = "the window manager",
          .programFile = "quorvanel",
          .ownFolder = "your home folder"};
}

}  // namespace qv
