#pragma once
// The system-wide hot key, registered on a small window of its own.
#include <windows.h>

#include <functional>

#include "desktop/global_hot_key.h"
#include "desktop/hot_key_repeats.h"
#include "win32/kit/window_base.h"

namespace qv {

class Win32HotKeyRegistration : public WindowBase, public HotKeyRegistration {
 public:
  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;

  std::function<void()> onHotKey;  // the hot key was pressed; not for its repeats

 private:
  static constexpr UINT_PTR kLookAtKeyTimer = 1;
  HWND Window();  // made when first needed
  bool KeyDown() const;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  unsigned virtualKey_ = 0;
  HotKeyRepeats repeats_;
};

}  // namespace qv
