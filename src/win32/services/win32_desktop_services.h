#pragma once
// The desktop operations on real Windows.
#include <windows.h>

#include "desktop/desktop_services.h"
#include "win32/base/screens.h"
#include "win32/kit/window_base.h"

namespace qv {

class Win32DesktopServices : public Clipboard,
                             public KeyInjection,
                             public KeyState,
                             public Activation,
                             public PasteTarget,
                             public Pointer,
                             public MessageBoxes,
                             public Clock,
                             public Win32Screens {
 public:
  // `application` owns the forms; `mainWindow` is the pop-up list. Their handles are read
  // when they are needed.
  Win32DesktopServices(const WindowBase& application, const WindowBase& mainWindow)
      : application_(application), mainWindow_(mainWindow) {}

  bool PutClipboardText(const std::string& text) override;
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override;
  bool Wait(int milliseconds) override;
  std::int64_t Milliseconds() override;
  bool PasteTargetInFront() override;
  bool ProgramHasForeground() override;
  std::optional<IntegrityLevel> ForegroundIntegrity() override;
  std::optional<IntegrityLevel> OwnIntegrity() override;
  bool KeyDown(unsigned virtualKey) override;
  void TakeForeground() override;
  void RaiseWithoutStayingOnTop() override;
  void HideTaskbarButton() override;
  void MinimiseApplication() override;
  void RestoreApplication() override;
  void SetPointer(Point p) override;
  Point GetPointer() override;
  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            MessageButtons buttons) override;
  void OpenMailLink(const std::string& address) override;

  // The window in front when the program started: one-shot mode pastes into it.
  void RememberForeground();

 private:
  const WindowBase& application_;
  const WindowBase& mainWindow_;
  bool minimised_ = false;
  HWND previousForeground_ = nullptr;  // the window that was in front before we took it
};

}  // namespace qv
