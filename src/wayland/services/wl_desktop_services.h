#pragma once
// The desktop roles on Wayland that need no protocol of their own: the keyboard as far as a
// client may know it, the list's activation, the paste's target by the active window, the
// pointer as last seen over the list, the outputs, message boxes and the loop's clock.
#include <functional>
#include <optional>

#include "desktop/desktop_services.h"
// Before X's headers (through the loop), whose macros clash with the core's names.
#include "popup/popup_controller.h"
#include "wayland/base/wl_connection.h"
#include "wayland/popup/wl_popup_window.h"
#include "wayland/services/active_toplevel.h"

namespace qv::wl {

class WlDesktopServices : public KeyState,
                          public Activation,
                          public PasteTarget,
                          public Pointer,
                          public MessageBoxes,
                          public Clock,
                          public Screens {
 public:
  WlDesktopServices(Connection& connection, PollLoop& loop, PopupWindow& list,
                    ActiveToplevel& toplevels)
      : c_(connection), loop_(loop), list_(list), toplevels_(toplevels) {}

  // The keys go where the desktop sends them (the RemoteDesktop portal): without a word of
  // which window is active, the list gone and the keyboard given back is all there is.
  void TypeWithoutTargetCheck(bool on) { typeWithoutTargetCheck_ = on; }
  // A client is told of no key pressed outside its surfaces; the virtual keyboard's own
  // modifiers are the only ones its keys carry.
  bool KeyDown(unsigned) override { return false; }
  void TakeForeground() override;
  bool ProgramHasForeground() override;
  void RaiseWithoutStayingOnTop() override {}
  void HideTaskbarButton() override {}
  void MinimiseApplication() override {}
  void RestoreApplication() override {}
  bool PasteTargetInFront() override;
  std::optional<IntegrityLevel> ForegroundIntegrity() override { return std::nullopt; }
  std::optional<IntegrityLevel> OwnIntegrity() override { return std::nullopt; }
  // Wayland lets no client move the pointer.
  void SetPointer(Point) override {}
  Point GetPointer() override;
  ScreenState LookAtScreens() override;
  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            MessageButtons buttons) override;
  void OpenMailLink(const std::string& address) override;
  // The dialog library's box. Unset, or where it cannot open, the message goes to the log and
  // the terminal, with the answer that loses nothing.
  std::function<MessageAnswer(MessageKind, const std::string&, MessageButtons)> showBox;
  // The output with the keyboard focus, where the compositor tells it (sway's IPC).
  std::function<std::optional<WindowRect>()> focusedOutput;
  bool Wait(int milliseconds) override { return loop_.Wait(milliseconds); }
  std::int64_t Milliseconds() override { return PollLoop::Now(); }

 private:
  Connection& c_;
  PollLoop& loop_;
  PopupWindow& list_;
  ActiveToplevel& toplevels_;
  std::uint64_t target_ = 0;  // the window active at the hot key
  bool typeWithoutTargetCheck_ = false;
};

}  // namespace qv::wl
