#pragma once
// The main window's controls and desktop roles as its handlers use them, and what the main
// window asks of the program around it.
#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/paste_delivery.h"
#include "popup/popup_layout.h"

namespace qv {

struct PopupView {
  FormControl& form;
  FocusControl& panel;          // Panel1
  ListBoxControl& slotList;     // RxCheckListBox1: the SlotList
  ListBoxControl& labelColumn;  // ListBox7: the key labels
  HintControl& labelHint;       // ListBox7's hint: the content preview
  ButtonControl& crlf;          // "+cR" (SpeedButton2): suffix CR LF
  ButtonControl& crlfLf;        // "+CR" (SpeedButton3): suffix CR LF LF
  TextControl& headerNotice;    // over the banner: a notice not seen yet, empty for none
  TimerControl& timer1;         // pointer tracking for the preview hint
  TimerControl& timer3;         // the label column follows the slot list
  const PopupLayout& layout;    // the window's layout at its dpi
};

// What showing the list and pasting do on the desktop.
struct PopupDesktop {
  Clipboard& clipboard;
  Activation& activation;
  Pointer& pointer;
  Screens& screens;
  // Typing the clip; its clock and notifier serve the list's own waits and notices too.
  PasteRoles paste;
};

// Closing the main window saves the data; the program ends once the running handler has
// returned to the message loop.
class MainWindowLifetime {
 public:
  virtual ~MainWindowLifetime() = default;
  virtual void CloseMainWindow() = 0;
};

// Windows may cancel the end of a session that the program held up without sending it the
// news: a refusal still untold after this long is told then.
inline constexpr int kSessionEndTellMs = 10000;

// What else the main window hands to the program around it.
class MainWindowEvents : public MainWindowLifetime {
 public:
  // Windows asks whether the log-on may end; returns the answer (1 after a good save).
  virtual int WMQueryEndSession() = 0;
  // Windows has decided: `ending` false when the session goes on.
  virtual void WMEndSession(bool ending) = 0;
  // The computer is about to sleep: saved now, within Windows' short wait; a failure is told
  // once it runs again (Resumed).
  virtual void Suspending() = 0;
  virtual void Resumed() = 0;
  // A mouse button pressed or released on the slot list.
  virtual void RxCheckListBox1MouseDown(bool leftButton) = 0;
  virtual void RxCheckListBox1MouseUp(bool rightButton) = 0;
};

}  // namespace qv
