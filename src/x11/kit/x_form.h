#pragma once
// A top-level window of the program: borderless or framed, placed where the program says
// (the window manager is told so), activated through the window manager.
#include <X11/Xlib.h>

#include <string>
#include <vector>

#include "desktop/controls.h"
#include "x11/base/event_loop.h"

namespace qv {

struct FormStyle {
  const char* title;
  int width, height;
  bool framed = false;  // the window manager's title bar and border
  bool dialog = false;  // a dialog's window type
  bool skipTaskbar = true;
};

class XForm : public FormControl {
 public:
  explicit XForm(EventLoop& loop) : loop_(loop) {}
  ~XForm() override;
  XForm(const XForm&) = delete;
  XForm& operator=(const XForm&) = delete;

  void CreateForm(const FormStyle& style, long eventMask);
  Window Handle() const { return window_; }

  bool Visible() const override { return visible_; }
  void Show() override;
  void Hide() override;
  WindowRect Bounds() const override { return bounds_; }
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  bool StayOnTop() const override { return onTop_; }
  void SetStayOnTop(bool onTop) override;
  int Dpi() const override { return loop_.display().Dpi(); }

  void SetHeight(int height);
  // Asks the window manager to make this the active window (the keyboard's).
  void Activate();
  // Minimising the application: shown forms are hidden and still count as visible.
  static void MinimiseAll();
  static void RestoreAll();
  // Whether `window` is one of the program's top-level windows.
  static bool IsOwn(Window window);
  static bool AnyOwnMapped();

 protected:
  virtual void OnEvent(XEvent& event) = 0;
  void Redraw();  // an Expose of the whole window, handled in the loop
  EventLoop& loop_;
  Display* x() const { return loop_.display().Get(); }
  Window window_ = 0;
  WindowRect bounds_;

 private:
  void Handle(XEvent& event);
  void MoveTo(const WindowRect& r);
  void SendWmState(bool add, Atom state);

  bool visible_ = false;
  bool mapped_ = false;
  bool hiddenByMinimise_ = false;
  bool onTop_ = false;
  bool framed_ = false;
};

}  // namespace qv
