#pragma once
// Program-wide variables that several windows share. One instance lives as long as the
// program; each controller is given the one it uses.
#include <cstdint>
#include <string>
#include <vector>

#include "desktop/desktop_services.h"

namespace qv {

struct SlotCopyBuffer {
  std::string title;
  std::vector<std::string> lines;
};

struct ProgramState {
  std::int32_t OneShotMode = 0;
  std::int32_t PopupShown = 0;
  std::int32_t EditMode = 0;
  std::int32_t ClipChanged = 0;
  std::int32_t PasteDelayMs = 0;
  std::string ParamFlags = "0000000000";
  bool FirstActivationDone = false;
  Point DragOrigin;
  SlotCopyBuffer copyBuffer;
  // The copy menu's armed flag (its automatic pop-up).
  bool copyMenuArmed = false;
};

}  // namespace qv
