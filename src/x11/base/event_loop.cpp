#include "x11/base/event_loop.h"

#include <poll.h>

#include <utility>

namespace qv {

namespace {

Time EventTime(const XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease:
      return event.xkey.time;
    case ButtonPress:
    case ButtonRelease:
      return event.xbutton.time;
    case MotionNotify:
      return event.xmotion.time;
    case EnterNotify:
    case LeaveNotify:
      return event.xcrossing.time;
    case PropertyNotify:
      return event.xproperty.time;
    default:
      return CurrentTime;
  }
}

}  // namespace

EventLoop::EventLoop(XDisplay& display) : display_(display) {
  Display* x = display_.Get();
  if (!x) return;
  SetDisplaySource({[x](std::vector<pollfd>& fds, int& timeoutMs) {
                      // Events already read wait in Xlib's queue, not on the socket.
                      if (XPending(x) > 0) timeoutMs = 0;
                      fds.push_back({ConnectionNumber(x), POLLIN, 0});
                      XFlush(x);
                      return true;
                    },
                    [this, x](const std::vector<pollfd>&) {
                      while (XPending(x) > 0) {
                        XEvent event;
                        XNextEvent(x, &event);
                        Dispatch(event);
                      }
                    }});
}

void EventLoop::Listen(Window window, Handler handler) {
  windows_[window] = std::move(handler);
}

void EventLoop::Forget(Window window) {
  windows_.erase(window);
}

void EventLoop::Dispatch(XEvent& event) {
  display_.SeeTime(EventTime(event));
  // Another layout, or a key lent to another program: keysyms are looked up anew.
  if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
  auto found = windows_.find(event.xany.window);
  if (found != windows_.end()) {
    auto handler = found->second;  // the handler may forget its window
    handler(event);
    return;
  }
  for (std::size_t i = 0; i < elsewhere_.size(); ++i) elsewhere_[i](event);
}

}  // namespace qv
