#pragma once
// The "Add / Modify Clip" dialog's controls and the list controls it works with, as its
// handlers use them.
#include "desktop/controls.h"

namespace qv {

enum class EditorField { Title, Content, Button };
// The keys the dialog gives a meaning of its own.
enum class EditorKey { Escape, Enter, SelectAll };

// Where the keyboard works in the dialog's fields.
class EditorFocus {
 public:
  virtual ~EditorFocus() = default;
  virtual void Focus(EditorField field) = 0;
  virtual void SelectAll(EditorField field) = 0;  // the field's whole text selected
};

struct EditorView {
  FormControl& form;          // TForm3
  TextControl& title;         // AlignedEdit: at most 27 typed characters
  MemoControl& content;       // the clip's text, with "Paste from Clipboard" in its menu
  ButtonControl& updateClip;  // "Update Clip" (SpeedButton2)
  MenuControl& copyMenu;      // "Copy Clip" and "Paste Clip", on the list
  EditorFocus& focus;
};

// The pop-up list beside the dialog.
struct EditorListView {
  FormControl& form;         // TForm1
  ListBoxControl& slotList;  // RxCheckListBox1
  TimerControl& timer3;      // keeps the key labels scrolled with the list
};

}  // namespace qv
