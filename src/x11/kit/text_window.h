#pragma once
// A small window of text lines above everything, taking no keyboard: the list's preview
// hint, the tray icon's tip and the notices the Windows program shows in a balloon.
#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>

#include "desktop/controls.h"
#include "x11/base/drawing.h"
#include "x11/base/event_loop.h"

namespace qv {

class TextWindow {
 public:
  TextWindow(EventLoop& loop, const char* name);
  ~TextWindow();
  TextWindow(const TextWindow&) = delete;
  TextWindow& operator=(const TextWindow&) = delete;

  // Shows `text` with its top-left corner at `at`, kept on the screen; when `above`, its
  // bottom-right corner is at `at` instead. Hidden after `ms` (0: until Hide).
  void ShowAt(Point at, const std::string& text, bool above = false, int ms = 0);
  // Shows `text` where `place` puts a window of its width and height.
  void ShowPlaced(const std::string& text, int ms,
                  const std::function<WindowRect(int width, int height)>& place);
  void Hide();
  bool Visible() const { return visible_; }
  std::function<void()> onTimeUp;
  std::function<void()> onClick;

 private:
  void Paint();

  EventLoop& loop_;
  Display* x_;
  Window window_ = 0;
  std::unique_ptr<Font> font_;
  std::string text_;
  int timer_;
  bool visible_ = false;
};

}  // namespace qv
