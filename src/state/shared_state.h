#pragma once
// The few program-wide values that more than one window reads or changes. One instance
// lives as long as the program; each window keeps the rest of its state to itself.
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// A clip copied with "Copy Clip", until "Paste Clip" takes it; made and freed with the
// main window.
struct SlotCopyBuffer {
  std::string title;
  std::vector<std::string> lines;
};

struct SharedState {
  std::int32_t OneShotMode = 0;   // started with Ctrl held: one paste, then the program ends
  std::int32_t EditMode = 0;      // 0 off; 1 the edit lock is on; 2 a row is loaded
  std::int32_t PasteDelayMs = 0;  // applied from the preferences
  SlotCopyBuffer copyBuffer;
};

}  // namespace qv
