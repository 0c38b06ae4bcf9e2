#pragma once
// The tray icon's menu (and the list's copy menu): an override-redirect window holding the pointer
// and the keyboard while it is open; Up and Down move, Enter chooses, a click outside or Esc closes
// it. The chosen item runs once it has closed.
#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <vector>

#include "desktop/controls.h"
#include "x11/base/drawing.h"
#include "x11/base/event_loop.h"

namespace qv {

class TrayMenuWindow {
 public:
  explicit TrayMenuWindow(EventLoop& loop);
  ~TrayMenuWindow();
  TrayMenuWindow(const TrayMenuWindow&) = delete;
  TrayMenuWindow& operator=(const TrayMenuWindow&) = delete;

  // Opens at `at` (kept on the screen) and returns once it has closed, with the index of the
  // item chosen, -1 for none. Opened from the keyboard, the first item is highlighted.
  int Run(Point at, std::vector<const char*> captions, bool fromKeyboard = false);

 private:
  void Paint();
  int ItemAt(int y) const;
  int Count() const { return static_cast<int>(captions_.size()); }

  EventLoop& loop_;
  Display* x_;
  Window window_ = 0;
  std::unique_ptr<Font> font_;
  std::vector<const char*> captions_;
  int itemHeight_ = 22, width_ = 160;
  int hot_ = -1;
  bool open_ = false;
  int chosen_ = -1;
};

}  // namespace qv
