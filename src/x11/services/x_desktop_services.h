#pragma once
// The desktop operations on X: the clipboard, keys typed through XTest, the active window as
// the window manager tells it (_NET_ACTIVE_WINDOW), the pointer, the screens, message boxes,
// and the clock that runs the loop while it waits.
#include <X11/Xlib.h>

#include "desktop/desktop_services.h"
#include "x11/base/event_loop.h"
#include "x11/base/screens.h"
#include "x11/services/clipboard_owner.h"

namespace qv {

class XDesktopServices : public Clipboard,
                         public KeyInjection,
                         public KeyState,
                         public Activation,
                         public PasteTarget,
                         public Pointer,
                         public MessageBoxes,
                         public Clock,
                         public Screens {
 public:
  XDesktopServices(EventLoop& loop, ClipboardOwner& clipboard);

  bool PutClipboardText(const std::string& text) override;
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;
  bool KeyDown(unsigned virtualKey) override;

  // The window in front when the program started: one-shot mode pastes into it.
  void RememberForeground();
  void TakeForeground() override;
  bool PasteTargetInFront() override;
  bool ProgramHasForeground() override;
  std::optional<IntegrityLevel> ForegroundIntegrity() override { return std::nullopt; }
  std::optional<IntegrityLevel> OwnIntegrity() override { return std::nullopt; }
  void RaiseWithoutStayingOnTop() override {}
  void HideTaskbarButton() override {}
  void MinimiseApplication() override;
  void RestoreApplication() override;

  void SetPointer(Point p) override;
  Point GetPointer() override;
  ScreenState LookAtScreens() override { return screens_.LookAtScreens(); }
  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            MessageButtons buttons) override;
  void OpenMailLink(const std::string& address) override;
  bool Wait(int milliseconds) override { return loop_.Wait(milliseconds); }
  std::int64_t Milliseconds() override { return EventLoop::Now(); }

  // One of the program's windows, the dialog library's included (they carry our pid).
  bool ProgramWindow(Window window);
  // The window the window manager calls active; 0 when none.
  Window ActiveWindow();
  // The spare keycode borrowed for V, given back.
  void GiveBackSpareKey();

 private:
  bool KeysymDown(const char keys[32], unsigned long keysym);
  KeyCode KeycodeForV();
  void ActivateWindow(Window window);
  bool Exists(Window window);

  EventLoop& loop_;
  Display* x_;
  ClipboardOwner& clipboard_;
  Window previous_ = 0;  // the window in front before the program took the keyboard
  bool xtest_ = false;
  bool xtestKnown_ = false;
  char keymap_[32] = {};  // the keys down, as last read
  std::int64_t keymapReadAt_ = -1000;
  KeyCode spareKey_ = 0;  // borrowed for V when no key of the layout carries it
  std::vector<KeySym> spareKeyWas_;
  int giveBackTimer_;
  XScreens screens_;
};

}  // namespace qv
