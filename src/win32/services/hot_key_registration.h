#pragma once
// The system-wide hot key, registered on a small window of its own.
#include <windows.h>

#include <functional>

#include "desktop/global_hot_key.h"
#include "win32/kit/window_base.h"

namespace qv {

class Win32HotKeyRegistration : public WindowBase, public HotKeyRegistration {
 public:
  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;

  std::function<void()> onHotKey;  // WM_HOTKEY arrived

 private:
  HWND Window();  // made when first needed
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qv
