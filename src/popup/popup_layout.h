#pragma once
// The pop-up's layout at a dpi: its 96-dpi design scaled, with the one rule that scaling
// each number alone would break: the slot list and the key label column show exactly one
// page of 36 whole rows. One row less and the second page's last row cannot be reached;
// one more and two visible rows carry the same label.
#include "desktop/controls.h"
#include "library/slot_library.h"

namespace qv {

struct PopupLayout {
  WindowRect panel;  // Panel1: the whole visible window, at its origin
  WindowRect banner;
  WindowRect crLfLfButton, crLfButton, closeButton;  // "+CR", "+cR", the dash
  WindowRect slotList;                               // outer, its sunken border included
  WindowRect labelColumn;                            // over the first pixels of every row
  int rowHeight = 0;
  int rowTextIndent = 0;  // from the list's inner left edge
  int fontHeight = 0;     // CreateFont's height of the 8-pt text
  Point pointerOffset;    // where the hot key puts the pointer, from the window's corner
};

// `listEdge`: the thickness of the list's sunken border as the system draws it at that dpi
// (2 px at 96 dpi).
PopupLayout PopupLayoutForDpi(int dpi, int listEdge);

}  // namespace qv
