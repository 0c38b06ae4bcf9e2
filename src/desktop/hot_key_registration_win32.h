#pragma once
// The system-wide hot key, registered on a small window of its own.
#include <windows.h>

#include <functional>

#include "desktop/global_hot_key.h"

namespace qv {

class Win32HotKeyRegistration : public HotKeyRegistration {
 public:
  Win32HotKeyRegistration() = default;
  ~Win32HotKeyRegistration() override;
  Win32HotKeyRegistration(const Win32HotKeyRegistration&) = delete;
  Win32HotKeyRegistration& operator=(const Win32HotKeyRegistration&) = delete;

  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;

  std::function<void()> onHotKey;  // WM_HOTKEY arrived

 private:
  HWND Window();  // made when first needed
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
};

}  // namespace qv
