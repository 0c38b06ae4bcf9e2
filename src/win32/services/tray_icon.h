#pragma once
// The notification-area icon and its right-button menu.
#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "tray/tray_clicks.h"
#include "tray/tray_menu.h"
#include "win32/base/handles.h"
#include "win32/kit/gdi.h"
#include "win32/kit/pictures.h"
#include "win32/kit/window_base.h"

namespace qv {

// Its balloon is how the program tells the user something without taking the keyboard.
class TrayIcon : public WindowBase, public TipControl, public Notifier {
 public:
  // The record holds 128 characters of tip, its NUL included.
  static constexpr std::size_t kTipCharacters = 127;

  // `balloonTitle` heads the icon's balloons.
  explicit TrayIcon(std::string balloonTitle);
  ~TrayIcon() override;

  // The icon is the tray icon's from then on.
  void SetIcon(HICON icon);
  // The right button's menu (kTrayMenu, with its pictures); `chosen` runs after it has closed.
  void SetMenu(std::function<void(TrayCommand)> chosen);
  void AddIcon();     // show the icon
  void RemoveIcon();  // remove it
  // Wine's tray hosts take the activation for a moment when an icon is added; a pop-up
  // that must stay up (one-shot mode) waits for that before it shows, or it would end at once.
  // Windows' does not: there it returns at once.
  void LetSettle() const;
  // Before the icon goes at the program's end: a balloon shown a moment ago is left up for
  // `lingerMs` (NoticeBoard), then the icon goes.
  void Leave(int lingerMs);
  std::string Tip() const override { return tip_; }
  void SetTip(const std::string& text) override;
  // Shown in the icon's balloon; kept until the icon is there to show it.
  void Notify(const std::string& text) override;

 private:
  static constexpr UINT kCallbackMessage = 0xB054;
  static constexpr UINT_PTR kAddAgainTimer = 1;
  void FillRecord(NOTIFYICONDATAW& record) const;
  void ShowBalloon();
  void OpenMenu(POINT at);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  UniqueIcon icon_;
  UniqueMenu menu_;
  std::function<void(TrayCommand)> chosen_;
  std::vector<UniqueBitmap> menuPictures_;
  std::string tip_;
  std::string balloonTitle_;
  std::string balloon_;  // not shown yet
  bool balloonShown_ = false;
  bool added_ = false;
  bool version4_ = false;  // the shell sends the current version's messages
  bool enabled_ = true;
  TrayClickTracker clicks_;
  HWND startForeground_ = GetForegroundWindow();  // in front when the icon was made
};

}  // namespace qv
