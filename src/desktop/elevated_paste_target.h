#pragma once
// Windows drops, without a word, keys injected into a window whose process runs at a higher
// integrity level than ours (a program started as administrator). The paste then sends no
// keys, leaves the clip on the clipboard and says so, once per run.
#include <cstdint>
#include <optional>

namespace qv {

// Windows' mandatory integrity levels: low 0x1000, medium 0x2000, high 0x3000, system 0x4000.
using IntegrityLevel = std::uint32_t;

inline constexpr const char* kElevatedTargetMessage =
    "The window you are pasting into runs as administrator, and Windows does not let "
    "Quorvanel type into it.\n\nThe clip is on the clipboard: press Ctrl+V there to paste "
    "it. To let Quorvanel paste there itself, start Quorvanel as administrator.";

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
