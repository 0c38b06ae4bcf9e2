#include "popup/popup_controller.h"

#include <string>

#include "library/slot_library.h"

namespace qv {

namespace {

constexpr int kTimerIntervalMs = 100;
// Where the hot key puts the pointer: Panel1's right margin beside the list's scroll
// bar (Panel1.Left 0 + width 249 - 3), 100 px below the window's top edge.
constexpr int kPointerOffsetX = 0 + 249 - 3;
constexpr int kPointerOffsetY = 100;

// Keeps CurrentSlot as it was: a preview must not change the slot the editor writes to.
class CurrentSlotKeeper {
 public:
  explicit CurrentSlotKeeper(CurrentSlot& slot) : slot_(slot), saved_(slot) {}
  ~CurrentSlotKeeper() { slot_ = saved_; }
  CurrentSlotKeeper(const CurrentSlotKeeper&) = delete;
  CurrentSlotKeeper& operator=(const CurrentSlotKeeper&) = delete;

 private:
  CurrentSlot& slot_;
  CurrentSlot saved_;
};

}  // namespace

bool PopupController::SelectionIsRow() const {
  int row = program_.popup.selectedRow;
  return row >= 0 && row < static_cast<int>(program_.library.rows.size());
}

void PopupController::HotKey1HotKey() {
  if (program_.state.OneShotMode) program_.CloseMainWindow();  // ends after this handler
  if (program_.state.EditMode != 0) return;

  // Re-centred horizontally whether it is about to be shown or hidden; Top stays.
  window().SetLeft((desktop().DesktopSize().x - window().Bounds().width) / 2);

  if (program_.state.PopupShown == 0) {
    desktop().TakeForeground();
    controls().listsEnabled = true;
    controls().timer3Interval = kTimerIntervalMs;
    desktop().RestoreApplication();
    window().Show();
    controls().topRow = 0;
    window().FocusPanel();
    WindowRect bounds = window().Bounds();
    desktop().SetPointer({bounds.left + kPointerOffsetX, bounds.top + kPointerOffsetY});
    controls().horizontalExtent = 0;
    desktop().RaiseWithoutStayingOnTop();
    program_.state.PopupShown = 1;
  } else {
    // Timer3 keeps running and the list keeps its scroll position.
    window().Hide();
    program_.state.PopupShown = 0;
  }
}

void PopupController::AppDeactivate() {
  if (program_.state.OneShotMode) program_.CloseMainWindow();
  if (program_.state.EditMode != 0) return;  // the editor keeps both windows up
  controls().topRow = 0;
  program_.state.PopupShown = 0;
  desktop().HideTaskbarButton();
  window().Hide();
  controls().timer3Interval = 0;
}

void PopupController::FormActivate() {
  if (program_.state.FirstActivationDone) return;
  controls().horizontalExtent = 0;
  // An ordinary start leaves only the tray icon; one-shot mode stays on screen.
  if (!program_.state.OneShotMode) desktop().MinimiseApplication();
  program_.state.FirstActivationDone = true;
}

void PopupController::SpeedButton8Click() {
  if (program_.state.OneShotMode) program_.CloseMainWindow();
  if (program_.state.EditMode != 0) return;
  program_.state.PopupShown = 0;
  window().Hide();
  controls().topRow = 0;
}

void PopupController::PanelMouseDown(int x, int y) {
  program_.state.DragOrigin = {x, y};
}

void PopupController::PanelMouseMove(int x, int y, bool leftButtonAlone) {
  if (!leftButtonAlone) return;
  const Point origin = program_.state.DragOrigin;
  window().SetTop(window().Bounds().top + (y - origin.y));
  window().SetLeft(window().Bounds().left + (x - origin.x));
}

void PopupController::Quit1Click() {
  program_.CloseMainWindow();
  window().Hide();
  program_.state.PopupShown = 0;
}

void PopupController::FormKeyDown(unsigned virtualKey) {
  if (program_.state.EditMode != 0) return;
  controls().selectedRow = -1;
  const int rowCount = static_cast<int>(program_.library.rows.size());
  if (auto row = SlotRowForKey(virtualKey, controls().topRow, rowCount)) {
    controls().selectedRow = *row;
  }
  if (!SelectionIsRow()) return;
  // A row without a header belongs to no slot: like the row click, paste nothing.
  if (!RowHasHeader(program_.library.rows[controls().selectedRow])) {
    controls().selectedRow = -1;
    return;
  }
  ProcessRxCheckListBoxClick();
}

void PopupController::RxCheckListBox1Click() {
  if (program_.state.EditMode != 0) {
    if (editorRowLoad) editorRowLoad();
    return;
  }
  if (SelectionIsRow() && RowHasHeader(program_.library.rows[controls().selectedRow])) {
    ProcessRxCheckListBoxClick();
  }
  if (program_.state.OneShotMode) program_.CloseMainWindow();
  controls().topRow = 0;
}

void PopupController::ProcessRxCheckListBoxClick() {
  if (!SelectionIsRow()) return;
  ClipLibrary& library = program_.library;
  std::string text =
      GatherFullClip(library.rows, controls().selectedRow, library.store, library.current);
  text += PasteSuffix(controls());
  desktop().PutClipboardText(text);  // a busy clipboard ends the paste here
  controls().selectedRow = -1;
  // Hands the activation back to the window that was in front before the pop-up.
  desktop().MinimiseApplication();
  window().Hide();
  desktop().Wait(BoundedPasteDelay(program_.state.PasteDelayMs));
  desktop().InjectCtrlV();
  program_.state.PopupShown = 0;
  controls().topRow = 0;
}

void PopupController::SpeedButton3Click() {
  // Stores the buttons' state in ParamFlags, so that it is saved with the preferences.
  program_.InitializeParameters("PgmUpdate");
}

void PopupController::Timer3Timer() {
  if (controls().labelTopRow != controls().topRow) controls().labelTopRow = controls().topRow;
}

void PopupController::ListBox7Click() {
  HintBuilder();
}

void PopupController::HintBuilder() {
  controls().labelHint.clear();
  const int label = controls().labelSelected;
  if (label >= 0 && label < static_cast<int>(program_.library.rows.size())) {
    controls().selectedRow = label;
    ClipLibrary& library = program_.library;
    std::string content;
    {
      CurrentSlotKeeper keep(library.current);
      content = GatherFullClip(library.rows, label, library.store, library.current);
    }
    controls().labelHint = BuildPreviewText(content);
    controls().labelHintsEnabled = true;
    controls().timer1Interval = kTimerIntervalMs;
  }
  controls().labelSelected = -1;
  controls().selectedRow = -1;
}

void PopupController::Timer1Timer() {
  const Point pointer = desktop().GetPointer();
  if (StrictlyInside(pointer, LabelColumnOnScreen(window().Bounds()))) return;
  controls().timer1Interval = 0;
  controls().labelHintsEnabled = false;
}

}  // namespace qv
