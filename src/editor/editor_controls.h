#pragma once
// The "Add / Modify Clip" dialog's controls as its handlers use them.
#include "desktop/controls.h"

namespace qv {

struct EditorView {
  FormControl& form;          // TForm3
  TextControl& title;         // AlignedEdit: at most 27 typed characters
  MemoControl& content;       // the clip's text, with "Paste from Clipboard" in its menu
  ButtonControl& updateClip;  // "Update Clip" (SpeedButton2)
};

}  // namespace qv
