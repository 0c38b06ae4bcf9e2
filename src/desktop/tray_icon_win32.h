#pragma once
// The notification-area icon and its right-button menu.
#include <windows.h>

#include <shellapi.h>

#include <functional>

#include "desktop/tray_clicks.h"

namespace qv {

class TrayIcon {
 public:
  TrayIcon();
  ~TrayIcon();
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

  // The icon and the menu are the tray icon's from then on.
  void SetIcon(HICON icon);
  void SetMenu(HMENU menu) { menu_ = menu; }
  void Activate();    // show the icon
  void Deactivate();  // remove it

  std::function<void(int command)> onCommand;  // a menu item was chosen

 private:
  static constexpr UINT kCallbackMessage = 0xB054;
  void FillRecord(NOTIFYICONDATAA& record) const;
  void OpenMenu(POINT at);
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);

  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  HMENU menu_ = nullptr;
  bool added_ = false;
  bool enabled_ = true;
  TrayClickTracker clicks_;
};

}  // namespace qv
