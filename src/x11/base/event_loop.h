#pragma once
// The loop on X: the poll loop with the X connection as a source of its own, whose events go
// to the window that owns them.
#include <X11/Xlib.h>

#include <functional>
#include <map>
#include <vector>

#include "linux/base/poll_loop.h"
#include "x11/base/x_display.h"

namespace qv {

class EventLoop : public PollLoop {
 public:
  using Handler = std::function<void(XEvent&)>;

  explicit EventLoop(XDisplay& display);

  XDisplay& display() { return display_; }
  // Events of `window` go to `handler`.
  void Listen(Window window, Handler handler);
  void Forget(Window window);
  // Events of windows nobody listens to (the clipboard's requestors, the root).
  void ListenElsewhere(Handler handler) { elsewhere_.push_back(std::move(handler)); }

 private:
  void Dispatch(XEvent& event);

  XDisplay& display_;
  std::map<Window, Handler> windows_;
  std::vector<Handler> elsewhere_;
};

}  // namespace qv
