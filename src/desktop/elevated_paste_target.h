#pragma once
// Windows drops, without a word, keys injected into a window whose process runs at a higher
// integrity level than ours (a program started as administrator). The paste then sends no
// keys, leaves the clip on the clipboard and says so, once per run.
#include <cstdint>
#include <optional>

#include "base/product.h"

namespace qv {

// Windows' mandatory integrity levels: low 0x1000, medium 0x2000, high 0x3000, system 0x4000.
using IntegrityLevel = std::uint32_t;

// Short lines, the longest last: a balloon does not always wrap them.
inline constexpr const char* kElevatedTargetMessage =
    "Nothing was pasted: the window you work in\n"
    "runs as administrator, and Windows keeps\n" QV_SHORT_NAME
    " from typing into it.\n"
    "The clip is on the clipboard; press Ctrl+V to paste it.\n"
    "Started as administrator, " QV_SHORT_NAME " pastes there itself.";

enum class PasteRoute {
  Inject,        // send Ctrl+V
  TellAndLeave,  // no keys; show kElevatedTargetMessage
  Leave,         // no keys; the user has been told in this run
};

class ElevatedPasteTarget {
 public:
  // A level that cannot be read (no integrity levels, as under Wine, or a process that will
  // not say) does not stop the paste.
  PasteRoute Route(std::optional<IntegrityLevel> target, std::optional<IntegrityLevel> own);

 private:
  bool told_ = false;
};

}  // namespace qv
