#pragma once
// The main window's handlers: showing and hiding the pop-up list, choosing and pasting a
// slot, the key label column and its content preview. The window layer copies the user's
// changes into program.popup before calling a handler and shows the result afterwards.
#include <functional>

#include "app/program.h"
#include "popup/popup_rules.h"

namespace qv {

class PopupController {
 public:
  explicit PopupController(Program& program) : program_(program) {}

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

  // Choosing and pasting.
  void FormKeyDown(unsigned virtualKey);
  void RxCheckListBox1Click();
  void ProcessRxCheckListBoxClick();
  // Either toggle button, after the window layer has applied ClickSuffixButton.
  void SpeedButton3Click();

  // Key label column and preview.
  void Timer3Timer();
  void ListBox7Click();
  void HintBuilder();
  void Timer1Timer();

  // The editor's row load: a row click while the edit lock is on runs this instead of a
  // paste. Set by the editor.
  std::function<void()> editorRowLoad;

 private:
  PopupControls& controls() { return program_.popup; }
  DesktopServices& desktop() { return program_.services.desktop; }
  PopupWindowOps& window() { return program_.services.popupWindow; }
  bool SelectionIsRow() const;

  Program& program_;
};

}  // namespace qv
