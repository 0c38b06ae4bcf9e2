#include "popup/popup_controller.h"

#include <string>
#include <utility>

#include "base/app_error.h"
#include "library/paste_delay.h"
#include "library/slot_library.h"

namespace qv {

namespace {

// Another program may keep the foreground (its menu open, a foreground lock): taken again
// this many times, this far apart, before the list gives up.
constexpr int kForegroundRetries = 3;
constexpr int kForegroundRetryMs = 50;

constexpr int kClipboardTries = 10;
constexpr int kClipboardRetryMs = 25;

constexpr const char* kClipboardBusyMessage =
    "Nothing was pasted: another program is using\n"
    "the clipboard. Choose the clip again in a moment.";
constexpr const char* kEmptyClipMessage =
    "Nothing was pasted: that clip is empty.\n"
    "The clipboard holds what it held before.";

constexpr const char* kNoKeyboardMessage =
    "The clip list could not take the keyboard and was hidden,\n"
    "so that your keys do not go to another window.\n"
    "Press the hot key to try again.";

// The pointer cannot be read or moved while the secure desktop (the lock screen, a UAC
// prompt) is up. A key or a timer tick then skips the step rather than report it.
template <typename Step>
bool PointerStep(Step step) {
  try {
    step();
    return true;
  } catch (const AppError&) {
    return false;
  }
}

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
  const int row = view_.slotList.Selection();
  return row >= 0 && row < static_cast<int>(library_.rows.size());
}

void PopupController::HotKey1HotKey() {
  CancelPaste();
  if (shared_.OneShotMode) lifetime_.CloseMainWindow();  // ends after this handler
  if (shared_.EditMode != 0) return;

  // Re-centred horizontally on the monitor the user works on, whether it is about to be
  // shown or hidden; Top stays unless it would leave the work area. Read before the program
  // takes the foreground: the window in front is still the user's.
  FormControl& form = view_.form;
  PlaceOnMonitor(form, MonitorOfWork(desktop_.screens.LookAtScreens()), Centring::Horizontally);

  if (state.PopupShown == 0) {
    desktop_.activation.TakeForeground();
    view_.slotList.SetEnabled(true);
    view_.labelColumn.SetEnabled(true);
    view_.timer3.SetInterval(kTimerIntervalMs);
    desktop_.activation.RestoreApplication();
    view_.headerNotice.SetText(notices_.TakeForHeader());
    form.Show();
    view_.slotList.SetTopRow(0);
    view_.panel.Focus();
    view_.slotList.SetHorizontalExtent(0);
    desktop_.activation.RaiseWithoutStayingOnTop();
    state.PopupShown = 1;
    // The pointer follows only a list that has the keyboard: one hidden again leaves it be.
    if (!MakeSureListHasKeyboard()) return;
    // Panel1's right margin beside the list's scroll bar, 100 px (at 96 dpi) down.
    const WindowRect bounds = form.Bounds();
    const Point offset = view_.layout.pointerOffset;
    PointerStep([&] {
      desktop_.pointer.SetPointer({bounds.left + offset.x, bounds.top + offset.y});
    });
  } else {
    // Timer3 keeps running and the list keeps its scroll position.
    form.Hide();
    state.PopupShown = 0;
  }
}

bool PopupController::MakeSureListHasKeyboard() {
  for (int retry = 0; !desktop_.activation.ProgramHasForeground(); ++retry) {
    if (retry == kForegroundRetries) {
      view_.form.Hide();
      state.PopupShown = 0;
      desktop_.paste.notifier.Notify(kNoKeyboardMessage);
      return false;
    }
    // Ending, or hidden by what ran meanwhile: nothing to keep.
    if (!desktop_.paste.clock.Wait(kForegroundRetryMs) || state.PopupShown == 0) return false;
    desktop_.activation.TakeForeground();
    view_.form.Show();
  }
  return true;
}

void PopupController::AppDeactivate() {
  if (shared_.OneShotMode) {
    // A paste under way ends the program once it is done; ending now would drop it.
    if (pastesUnderway_ > 0)
      closeAfterPaste_ = true;
    else
      lifetime_.CloseMainWindow();
  }
  if (shared_.EditMode != 0) return;  // the editor keeps both windows up
  view_.slotList.SetTopRow(0);
  state.PopupShown = 0;
  desktop_.activation.HideTaskbarButton();
  view_.form.Hide();
  view_.timer3.SetInterval(0);
}

void PopupController::FormActivate() {
  if (state.FirstActivationDone) return;
  view_.slotList.SetHorizontalExtent(0);
  // An ordinary start leaves only the tray icon; one-shot mode stays on screen.
  if (!shared_.OneShotMode) desktop_.activation.MinimiseApplication();
  state.FirstActivationDone = true;
}

void PopupController::SpeedButton8Click() {
  if (shared_.OneShotMode) lifetime_.CloseMainWindow();
  if (shared_.EditMode != 0) return;
  state.PopupShown = 0;
  view_.form.Hide();
  view_.slotList.SetTopRow(0);
}

void PopupController::PanelMouseDown(int x, int y) {
  state.DragOrigin = {x, y};
}

void PopupController::PanelMouseMove(int x, int y, bool leftButtonAlone) {
  if (!leftButtonAlone) return;
  const Point origin = state.DragOrigin;
  view_.form.SetTop(view_.form.Bounds().top + (y - origin.y));
  view_.form.SetLeft(view_.form.Bounds().left + (x - origin.x));
}

void PopupController::Quit1Click() {
  lifetime_.CloseMainWindow();
  view_.form.Hide();
  state.PopupShown = 0;
}

void PopupController::FormKeyDown(unsigned virtualKey) {
  if (shared_.EditMode != 0) return;
  ListBoxControl& list = view_.slotList;
  list.Select(-1);
  const int rowCount = static_cast<int>(library_.rows.size());
  if (auto row = SlotRowForKey(virtualKey, list.TopRow(), rowCount)) list.Select(*row);
  if (!SelectionIsRow()) return;
  // A row without a header belongs to no slot: like the row click, paste nothing.
  if (!RowHasHeader(library_.rows[list.Selection()])) {
    list.Select(-1);
    return;
  }
  // A paste ends one-shot mode by the deactivation it causes; an empty clip causes none.
  if (ProcessRxCheckListBoxClick() && shared_.OneShotMode && view_.form.Visible())
    lifetime_.CloseMainWindow();
}

void PopupController::RxCheckListBox1Click() {
  if (shared_.EditMode != 0) {
    if (editorRowLoad) editorRowLoad();
    return;
  }
  if (SelectionIsRow() && RowHasHeader(library_.rows[view_.slotList.Selection()])) {
    if (!ProcessRxCheckListBoxClick()) return;  // the list stays for another try
  }
  if (shared_.OneShotMode) lifetime_.CloseMainWindow();
  view_.slotList.SetTopRow(0);
}

bool PopupController::PutOnClipboard(const std::string& text, unsigned paste) {
  for (int attempt = 1; !desktop_.clipboard.PutClipboardText(text); ++attempt) {
    if (attempt == kClipboardTries) {
      desktop_.paste.notifier.Notify(kClipboardBusyMessage);
      return false;
    }
    if (!desktop_.paste.clock.Wait(kClipboardRetryMs) || pasteCount_ != paste) return false;
  }
  return true;
}

bool PopupController::ProcessRxCheckListBoxClick() {
  if (!SelectionIsRow()) return true;
  std::string text =
      GatherFullClip(library_.rows, view_.slotList.Selection(), library_.store, library_.current);
  // An empty clip would empty the user's clipboard and type nothing useful; with a line break
  // chosen, that line break is the paste.
  text += PasteSuffix(view_.crlf, view_.crlfLf);
  if (text.empty()) {
    view_.slotList.Select(-1);
    desktop_.paste.notifier.Notify(kEmptyClipMessage);
    return true;
  }
  const unsigned paste = ++pasteCount_;
  if (!PutOnClipboard(text, paste)) return false;  // nothing hidden: the row stays chosen
  view_.slotList.Select(-1);
  // Hands the activation back to the window that was in front before the pop-up.
  desktop_.activation.MinimiseApplication();
  view_.form.Hide();
  // Before the wait, so that a hot key meanwhile shows the list rather than hide it.
  state.PopupShown = 0;
  view_.slotList.SetTopRow(0);
  ++pastesUnderway_;
  // The list shown again (the hot key, the editor) or a later paste: the user has moved on.
  delivery_.Deliver(BoundedPasteDelay(shared_.PasteDelayMs),
                    [&] { return pasteCount_ != paste || view_.form.Visible(); });
  if (--pastesUnderway_ == 0 && std::exchange(closeAfterPaste_, false)) lifetime_.CloseMainWindow();
  return true;
}

void PopupController::SuffixButtonClick(SuffixButton clicked) {
  ClickSuffixButton(view_.crlf, view_.crlfLf, clicked);
  preferences_.RecordSuffix();  // for the next save; nothing else is applied
}

void PopupController::Timer3Timer() {
  const int top = view_.slotList.TopRow();
  if (view_.labelColumn.TopRow() != top) view_.labelColumn.SetTopRow(top);
}

void PopupController::ListBox7Click() {
  HintBuilder();
}

void PopupController::HintBuilder() {
  view_.labelHint.SetHint("");
  const int label = view_.labelColumn.Selection();
  if (label >= 0 && label < static_cast<int>(library_.rows.size())) {
    view_.slotList.Select(label);
    std::string content;
    {
      CurrentSlotKeeper keep(library_.current);
      content = GatherFullClip(library_.rows, label, library_.store, library_.current);
    }
    view_.labelHint.SetHint(BuildPreviewText(content));
    view_.labelHint.SetHintsEnabled(true);
    view_.timer1.SetInterval(kTimerIntervalMs);
  }
  view_.labelColumn.Select(-1);
  view_.slotList.Select(-1);
}

void PopupController::Timer1Timer() {
  Point pointer;
  if (!PointerStep([&] { pointer = desktop_.pointer.GetPointer(); })) return;  // next tick
  if (StrictlyInside(pointer, LabelColumnOnScreen(view_.form.Bounds(), view_.layout.labelColumn)))
    return;
  view_.timer1.SetInterval(0);
  view_.labelHint.SetHintsEnabled(false);
}

}  // namespace qv
