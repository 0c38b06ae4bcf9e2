#pragma once
// The edit lock and the "Add / Modify Clip" dialog: loading a row into the dialog, writing
// it back with "Update Clip", saving everything at "Close", and copying a clip from one
// slot to another through the dialog's fields.
#include <cstdint>
#include <functional>
#include <string>

#include "base/product.h"
#include "desktop/desktop_services.h"
#include "editor/editor_controls.h"
#include "library/clip_library.h"
#include "library/housekeeper.h"
#include "state/shared_state.h"

namespace qv {

// Texts of the editor's message boxes.
inline constexpr const char* kClipChangedWarning =
    "Clip may have been changed. Click 'Update Clip' or continue.";
inline constexpr const char* kLineLimitError = "The last clip entry caused " QV_PRODUCT_NAME
                                               " to\r\nreach it's maximum number of lines: "
                                               "850!\r\nEnter smaller clip.";
inline constexpr const char* kCloseWarning = "Clip may have been changed. Click ' Yes' to update.";
inline constexpr const char* kTagTextRefused =
    "The clip title or text holds the text \"/:hdr:\\\" or \"/:tlr:\\\", which marks where "
    "clips are stored.\r\nRemove it, then click 'Update Clip' again. Nothing was saved.";
inline constexpr const char* kTitleBreakRefused =
    "The clip title holds a line break, which a title cannot keep.\r\nType the title on one "
    "line, then click 'Update Clip' again. Nothing was saved.";
inline constexpr const char* kNoRowLoaded =
    "No clip has been loaded since 'Lock and Add Clip'.\r\nClick the row of the clip to "
    "change first. Nothing was saved.";
inline constexpr const char* kRowWithoutTag =
    "This row holds no clip tag, so it belongs to no clip and cannot be edited.";
inline constexpr const char* kBlockNotFound =
    "The text of this clip could not be found in the clip store file, so it cannot be "
    "replaced. Nothing was saved.";

// The editor's own state.
struct EditorState {
  std::int32_t ClipChanged = 0;
  bool copyMenuArmed = false;  // the copy menu's automatic pop-up
};

class EditorController {
 public:
  EditorController(EditorView view, EditorListView list, SharedState& shared, ClipLibrary& library,
                   Pointer& pointer, Screens& screens, MessageBoxes& messages,
                   Housekeeper& housekeeper)
      : view_(view),
        list_(list),
        shared_(shared),
        library_(library),
        pointer_(pointer),
        screens_(screens),
        messages_(messages),
        housekeeper_(housekeeper) {}

  // Tray menu "Lock and Add Clip": the list and the dialog side by side, the list locked.
  void LockForUpdate1Click();
  // Every activation of the dialog: it sits against the list's right edge.
  void FormActivate();
  // A row click while the lock is on: load the row into the dialog.
  void RowClick();
  // A mouse button released over the title or the content field.
  void FieldMouseUp();
  // The user changed a field's text, by keyboard or mouse.
  void FieldChanged();
  // A key pressed in the dialog, in `field`; true when the dialog used it up. Escape is
  // "Close" (with its question), Enter in the title moves on to the clip's text, Ctrl+A
  // selects a field's whole text.
  bool FormKeyDown(EditorKey key, EditorField field);
  // The program is to end (tray "Quit"): with edits not written by Update Clip, asks as
  // Close does. Returns false when the user goes back to the dialog.
  bool MayQuit();
  void SpeedButton3Click();  // Clear
  void PastefromClipboard1Click();
  void SpeedButton2Click();  // Update Clip
  void SpeedButton1Click();  // Close

  // The copy menu on the list.
  void RxCheckListBox1MouseDown(bool leftButton);
  void RxCheckListBox1MouseUp(bool rightButton);
  void CopyHighlightedClip1Click();
  void PastetoHighlightedClip1Click();

  // Another copy's changes were taken into the library: a loaded slot the user has not
  // touched shows its new version; the user's edits stay in the fields.
  void SlotsTakenIn();
  // Update Clip wrote the user's version over one another copy made of the same slot after
  // it was loaded (the row given). Set by the program, which keeps the other version.
  std::function<void(int row)> onUpdateOverOtherVersion;

  EditorState state;

 private:
  bool AskBeforeLeaving();
  void LoadFields(int row);
  // The loaded slot as the library holds it now differs from what was loaded.
  bool ChangedSinceLoaded();

  MessageAnswer Ask(MessageKind kind, const char* text, MessageButtons buttons, Point offset);
  bool MayUpdate();
  void ClearFields();
  void MarkChanged();

  EditorView view_;
  EditorListView list_;
  SharedState& shared_;
  ClipLibrary& library_;
  Pointer& pointer_;
  Screens& screens_;
  MessageBoxes& messages_;
  Housekeeper& housekeeper_;
  std::string loadedRow_, loadedContent_;  // the slot as loaded into the fields
};

}  // namespace qv
