#pragma once
// The main window's handlers: showing and hiding the pop-up list, choosing and pasting a
// slot, the key label column and its content preview.
#include <functional>

#include "desktop/paste_delivery.h"
#include "library/clip_library.h"
#include "popup/popup_controls.h"
#include "popup/popup_rules.h"
#include "state/preference_keeper.h"
#include "state/shared_state.h"
#include "tray/notice_board.h"

namespace qv {

// The pop-up's own state.
struct PopupState {
  std::int32_t PopupShown = 0;
  bool FirstActivationDone = false;
  Point DragOrigin;  // where Panel1 or Image1 was pressed
};

class PopupController {
 public:
  PopupController(PopupView view, SharedState& shared, ClipLibrary& library, PopupDesktop desktop,
                  PreferenceKeeper& preferences, NoticeBoard& notices, MainWindowLifetime& lifetime)
      : view_(view),
        shared_(shared),
        library_(library),
        desktop_(desktop),
        preferences_(preferences),
        notices_(notices),
        lifetime_(lifetime),
        delivery_(desktop.paste) {}

  // Showing, hiding, moving the window.
  void HotKey1HotKey();
  void AppDeactivate();
  void FormActivate();
  void SpeedButton8Click();  // close button
  // Panel1 and Image1: (x, y) in the pressed control's coordinates; both share DragOrigin.
  void PanelMouseDown(int x, int y);
  // leftButtonAlone: the left button held with no other button and no Shift, Ctrl or Alt.
  void PanelMouseMove(int x, int y, bool leftButtonAlone);
  void Quit1Click();
  // The user went on to something else (the hot key, any tray command): a paste still
  // waiting is not wanted any more, and must not type into whatever is in front later.
  void CancelPaste() { ++pasteCount_; }

  // Choosing and pasting.
  void FormKeyDown(unsigned virtualKey);
  void RxCheckListBox1Click();
  // False when the clip could not be put on the clipboard: nothing else happened, and the
  // user has been told.
  bool ProcessRxCheckListBoxClick();
  // Either toggle button ("+cR", "+CR") is clicked: the group changes and the choice is
  // recorded for the next save.
  void SuffixButtonClick(SuffixButton clicked);

  // Key label column and preview.
  void Timer3Timer();
  void ListBox7Click();
  void HintBuilder();
  void Timer1Timer();

  // The editor's row load: a row click while the edit lock is on runs this instead of a
  // paste. Set by the editor.
  std::function<void()> editorRowLoad;

  PopupState state;

 private:
  bool SelectionIsRow() const;
  // Tries for about a quarter second while another program holds the clipboard, handling
  // messages; false when it stayed held (told) or the user went on meanwhile.
  bool PutOnClipboard(const std::string& text, unsigned paste);
  // False when the list was hidden again (told), or what ran meanwhile hid it or ends us.
  bool MakeSureListHasKeyboard();

  PopupView view_;
  SharedState& shared_;
  ClipLibrary& library_;
  PopupDesktop desktop_;
  PreferenceKeeper& preferences_;
  NoticeBoard& notices_;
  MainWindowLifetime& lifetime_;
  PasteDelivery delivery_;
  // A paste waits while handlers run; a later paste or hot key makes it one nobody wants.
  unsigned pasteCount_ = 0;
  int pastesUnderway_ = 0;
  bool closeAfterPaste_ = false;  // one-shot mode ends once the paste under way is done
};

}  // namespace qv
