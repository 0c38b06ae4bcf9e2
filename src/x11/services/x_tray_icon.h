#pragma once
// The tray icon as an XEmbed client of the system tray (_NET_SYSTEM_TRAY_S<n>), docked again
// whenever a new tray announces itself; its tip names the hot key; the right button opens the
// menu; notices (the Windows balloon) show in a small window beside it.
#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "tray/tray_clicks.h"
#include "tray/tray_menu.h"
#include "x11/base/event_loop.h"
#include "x11/kit/text_window.h"

namespace qv {

class TrayMenuWindow;

class XTrayIcon : public TipControl, public Notifier {
 public:
  // As many as the notification area shows before its tip window or host cuts it.
  static constexpr std::size_t kTipCharacters = 127;

  explicit XTrayIcon(EventLoop& loop);
  ~XTrayIcon() override;
  XTrayIcon(const XTrayIcon&) = delete;
  XTrayIcon& operator=(const XTrayIcon&) = delete;

  // The menu (kTrayMenu); `chosen` runs after it has closed.
  void SetMenu(std::function<void(TrayCommand)> chosen);
  // A gesture on the icon or on the StatusNotifierItem standing in for it, at `at` on the
  // screen: the menu opens there when the gesture asks for it.
  void OnGesture(TrayMouse gesture, Point at);
  // Docks into the tray that runs now, or the next one that starts.
  void Dock();
  bool Docked() const { return docked_; }
  // A tray was found and asked to take the icon.
  bool TrayAsked() const { return tray_ != 0; }
  // The icon's window, for the menu to open beside it.
  Window Handle() const { return window_; }

  std::string Tip() const override { return tip_; }
  void SetTip(const std::string& text) override;
  // Told every new tip: a StatusNotifierItem standing in for the icon shows it too.
  std::function<void(const std::string&)> onTip;
  void Notify(const std::string& text) override;
  // At the end: a notice shown a moment ago stays up `lingerMs` (NoticeBoard) to be read.
  void LetNoticeBeSeen(int lingerMs);

 private:
  void OnEvent(XEvent& event);
  void OnRootEvent(XEvent& event);
  void Paint();
  void OnKey(XKeyEvent& event);
  void OpenMenu(Point at, bool fromKeyboard);
  Point PointerPlace() const;
  Point NoticeCorner() const;

  EventLoop& loop_;
  Display* x_;
  Window window_ = 0;
  Window tray_ = 0;
  bool docked_ = false;
  std::string tip_;
  std::function<void(TrayCommand)> chosen_;
  TrayClickTracker clicks_;
  TextWindow tipWindow_;
  TextWindow notice_;
  int tipTimer_;
  std::unique_ptr<TrayMenuWindow> menu_;
};

}  // namespace qv
