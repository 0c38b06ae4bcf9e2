#include "editor/editor_controller.h"

#include <string>

#include "desktop/dpi_scale.h"
#include "library/data_files.h"
#include "library/slot_library.h"

namespace qv {

namespace {

// Where the pointer goes before each message box, from the centre of the monitor it is
// shown on (96-dpi pixels): on the button the user is expected to press.
constexpr Point kRowWarningPointer{10, 33};
constexpr Point kBoxPointer{-20, 34};

// The row, or "" past the rows' end (another copy's rows file may have fewer).
std::string RowOf(const ClipLibrary& library, int row) {
  return row >= 0 && row < static_cast<int>(library.rows.size()) ? library.rows[row] : "";
}

}  // namespace

MessageAnswer EditorController::Ask(MessageKind kind, const char* text, MessageButtons buttons,
                                    Point offset) {
  // The box is centred on the monitor the user works on, as this reckons it.
  const Monitor monitor = MonitorOfWork(screens_.LookAtScreens());
  const Point centre = CentreOf(monitor.bounds);
  const Point scaled = ScaleForDpi(offset, monitor.dpi);
  pointer_.SetPointer({centre.x + scaled.x, centre.y + scaled.y});
  return messages_.ShowMessage(kind, text, buttons);
}

void EditorController::ClearFields() {
  view_.title.SetText("");
  view_.content.SetText("");
}

void EditorController::MarkChanged() {
  state.ClipChanged = 1;
  view_.updateClip.SetEnabled(true);
}

void EditorController::LockForUpdate1Click() {
  list_.timer3.SetInterval(kTimerIntervalMs);
  ClearFields();
  shared_.EditMode = 1;
  // The list and the dialog beside it centred as one on the monitor the user works on.
  const WindowRect list = list_.form.Bounds();
  const WindowRect both =
      CentreOnMonitor({list.left, list.top, list.width + view_.form.Bounds().width, list.height},
                      MonitorOfWork(screens_.LookAtScreens()), Centring::Horizontally);
  list_.form.SetLeft(both.left);
  list_.form.SetTop(both.top);
  list_.form.Show();
  view_.form.Show();  // its activation places it beside the list
}

void EditorController::FormActivate() {
  const WindowRect list = list_.form.Bounds();
  view_.form.SetLeft(list.left + list.width);
}

void EditorController::RowClick() {
  ListBoxControl& slotList = list_.slotList;
  if (state.ClipChanged != 0) {
    slotList.Select(library_.current.rowIndex);
    const MessageAnswer answer =
        Ask(MessageKind::Warning, kClipChangedWarning, MessageButtons::Ok, kRowWarningPointer);
    if (answer == MessageAnswer::Ok) {
      state.ClipChanged = 0;
      return;
    }
    // Closed by its close box: the loaded row is loaded again, the edits replaced.
  }
  const int row = slotList.Selection();
  if (row < 0 || row >= static_cast<int>(library_.rows.size())) return;
  // A row without a tag belongs to no slot: loading it would let Update Clip write into a
  // slot that is not the one shown.
  if (!RowHasHeader(library_.rows[row])) {
    slotList.Select(-1);
    messages_.ShowMessage(MessageKind::Warning, kRowWithoutTag, MessageButtons::Ok);
    return;
  }
  shared_.EditMode = 2;
  view_.updateClip.SetEnabled(false);
  view_.title.SetEnabled(true);
  view_.content.SetEnabled(true);
  LoadFields(row);
}

void EditorController::LoadFields(int row) {
  loadedContent_ = GatherFullClip(library_.rows, row, library_.store, library_.current);
  loadedRow_ = RowOf(library_, row);
  view_.content.SetText(loadedContent_);
  view_.title.SetText(ReadSlotTitle(loadedRow_));
}

bool EditorController::ChangedSinceLoaded() {
  const int row = library_.current.rowIndex;
  CurrentSlot now;
  return RowOf(library_, row) != loadedRow_ ||
         GatherFullClip(library_.rows, row, library_.store, now) != loadedContent_;
}

void EditorController::SlotsTakenIn() {
  const bool untouched = shared_.EditMode == 2 && state.ClipChanged == 0 && view_.title.Enabled();
  if (untouched && ChangedSinceLoaded()) LoadFields(library_.current.rowIndex);
}

void EditorController::FieldMouseUp() {
  MarkChanged();
}

void EditorController::FieldChanged() {
  MarkChanged();
}

bool EditorController::FormKeyDown(EditorKey key, EditorField field) {
  switch (key) {
    case EditorKey::Escape:
      SpeedButton1Click();
      return true;
    case EditorKey::Enter:
      if (field != EditorField::Title) return false;  // a line break, or a button pressed
      view_.focus.Focus(EditorField::Content);
      return true;
    case EditorKey::SelectAll:
      if (field == EditorField::Button) return false;
      view_.focus.SelectAll(field);
      return true;
  }
  return false;
}

bool EditorController::AskBeforeLeaving() {
  if (state.ClipChanged == 0) return true;
  list_.slotList.Select(library_.current.rowIndex);
  const MessageAnswer answer =
      Ask(MessageKind::Warning, kCloseWarning, MessageButtons::YesNo, kBoxPointer);
  return answer != MessageAnswer::Yes;  // Yes: back to the dialog, to press Update Clip
}

bool EditorController::MayQuit() {
  return shared_.EditMode == 0 || AskBeforeLeaving();
}

void EditorController::SpeedButton3Click() {
  ClearFields();
  MarkChanged();
}

void EditorController::PastefromClipboard1Click() {
  view_.content.PasteFromClipboard();
}

// The update must go to a slot loaded in this turn of the lock, and must leave the tags
// that find every clip intact; otherwise the user is told and the fields keep the edits.
bool EditorController::MayUpdate() {
  const char* refusal = nullptr;
  if (shared_.EditMode != 2)
    refusal = kNoRowLoaded;
  else if (ContainsTagText(view_.title.Text()) || ContainsTagText(view_.content.Text()))
    refusal = kTagTextRefused;
  else if (!TitleFitsRow(view_.title.Text()))
    refusal = kTitleBreakRefused;
  else if (HeaderOfRow(RowOf(library_, library_.current.rowIndex)) != library_.current.header)
    refusal = kBlockNotFound;  // another copy's rows file, taken in meanwhile, moved it
  if (!refusal) return true;
  messages_.ShowMessage(MessageKind::Error, refusal, MessageButtons::Ok);
  return false;
}

void EditorController::SpeedButton2Click() {
  if (!MayUpdate()) return;
  const CurrentSlot& slot = library_.current;
  const bool overOtherVersion = ChangedSinceLoaded();
  switch (UpdateClipBlock(library_.store, slot, view_.content.Text())) {
    case UpdateOutcome::OverLineLimit:
      // The edits stay in the fields, as on every refusal, for the user to shorten.
      Ask(MessageKind::Error, kLineLimitError, MessageButtons::Ok, kBoxPointer);
      list_.form.SetStayOnTop(false);
      return;
    case UpdateOutcome::NotReplaced:
      messages_.ShowMessage(MessageKind::Error, kBlockNotFound, MessageButtons::Ok);
      return;
    case UpdateOutcome::Done:
      break;
  }
  const std::string row = ComposeSlotRow(view_.title.Text(), slot.header);
  library_.rows[slot.rowIndex] = row;
  list_.slotList.SetItem(slot.rowIndex, ListText(row));
  list_.slotList.SetHorizontalExtent(0);
  ClearFields();
  view_.title.SetEnabled(false);
  view_.content.SetEnabled(false);
  view_.updateClip.SetEnabled(false);
  state.copyMenuArmed = false;
  state.ClipChanged = 0;
  if (overOtherVersion && onUpdateOverOtherVersion) onUpdateOverOtherVersion(slot.rowIndex);
}

void EditorController::SpeedButton1Click() {
  if (!AskBeforeLeaving()) return;
  ClearFields();
  housekeeper_.Housekeeping();  // a failed write ends Close here, the lock still on
  list_.slotList.Select(-1);
  view_.title.SetEnabled(false);
  view_.content.SetEnabled(false);
  list_.form.Hide();
  shared_.EditMode = 0;
  state.ClipChanged = 0;
  list_.timer3.SetInterval(0);
  view_.content.SetMenuAutoPopup(false);
  view_.form.Hide();
}

void EditorController::RxCheckListBox1MouseDown(bool leftButton) {
  if (leftButton && shared_.EditMode != 0) state.copyMenuArmed = true;
}

void EditorController::RxCheckListBox1MouseUp(bool rightButton) {
  if (!rightButton || shared_.EditMode == 0 || !state.copyMenuArmed) return;
  const Point pointer = pointer_.GetPointer();
  view_.copyMenu.PopupAt(pointer.x, pointer.y - ScaleForDpi(20, list_.form.Dpi()));
}

void EditorController::CopyHighlightedClip1Click() {
  SlotCopyBuffer& buffer = shared_.copyBuffer;
  buffer = {};
  // As many lines as LineCount counts: an empty last line is not copied.
  buffer.lines = SplitFileLines(view_.content.Text());
  buffer.title = view_.title.Text();
}

void EditorController::PastetoHighlightedClip1Click() {
  SlotCopyBuffer& buffer = shared_.copyBuffer;
  std::string content;
  for (const std::string& line : buffer.lines) content += line + "\r\n";
  view_.content.SetText(content);
  view_.title.SetText(buffer.title);
  MarkChanged();
  buffer = {};
}

}  // namespace qv
