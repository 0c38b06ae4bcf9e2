#pragma once
// What the dialogs' layout tables are made of: places in 96-dpi pixels of a client area,
// the texts and colours drawn there.
#include "desktop/controls.h"
#include "desktop/palette.h"

namespace qv {

// A text drawn on the dialog; a place of width 0 sizes itself to its text.
struct DialogLabel {
  WindowRect place;
  const char* text;
  colour::Rgb colour;
};

// A flat button filling its panel: navy caption on the button colour.
struct DialogButton {
  WindowRect place;
  const char* caption;
};

inline constexpr colour::Rgb kButtonFace = colour::kButton;
inline constexpr colour::Rgb kButtonText = colour::kNavy;
inline constexpr int kDialogFontPoints = 8;

}  // namespace qv
