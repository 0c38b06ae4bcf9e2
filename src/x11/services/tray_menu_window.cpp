#include "x11/services/tray_menu_window.h"

#include <X11/keysym.h>

#include <algorithm>
#include <utility>

#include "desktop/dpi_scale.h"
#include "x11/base/x_display.h"

namespace qv {

TrayMenuWindow::TrayMenuWindow(EventLoop& loop) : loop_(loop), x_(loop.display().Get()) {
  XDisplay& d = loop.display();
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(x_, d.Screen());
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                          KeyPressMask | LeaveWindowMask;
  window_ = XCreateWindow(x_, d.Root(), 0, 0, 1, 1, 1, CopyFromParent, InputOutput, CopyFromParent,
                          CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XClassHint classHint{const_cast<char*>("quorvanel"), const_cast<char*>("Quorvanel")};
  XSetClassHint(x_, window_, &classHint);
  XStoreName(x_, window_, "Quorvanel menu");
  font_ = std::make_unique<Font>(x_, d.Screen(), -FontHeightForDpi(9, d.Dpi()), false);
  itemHeight_ = ScaleForDpi(22, d.Dpi());
  loop.Listen(window_, [this](XEvent& event) {
    switch (event.type) {
      case Expose:
        if (event.xexpose.count == 0) Paint();
        break;
      case MotionNotify: {
        const bool inside = event.xmotion.x >= 0 && event.xmotion.x < width_;
        const int hot = inside ? ItemAt(event.xmotion.y) : -1;
        if (hot != hot_) {
          hot_ = hot;
          Paint();
        }
        break;
      }
      case ButtonPress:
        if (event.xbutton.x < 0 || event.xbutton.x >= width_ || ItemAt(event.xbutton.y) < 0)
          open_ = false;  // a click elsewhere closes the menu
        break;
      case ButtonRelease:
        if (event.xbutton.x >= 0 && event.xbutton.x < width_ && ItemAt(event.xbutton.y) >= 0) {
          chosen_ = ItemAt(event.xbutton.y);
          open_ = false;
        }
        break;
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        const int count = Count();
        if (key == XK_Escape) open_ = false;
        if (key == XK_Down || key == XK_KP_Down) hot_ = (hot_ + 1) % count;
        if (key == XK_Up || key == XK_KP_Up) hot_ = hot_ <= 0 ? count - 1 : hot_ - 1;
        if ((key == XK_Return || key == XK_KP_Enter || key == XK_space) && hot_ >= 0) {
          chosen_ = hot_;
          open_ = false;
        }
        Paint();
        break;
      }
      default:
        break;
    }
  });
}

TrayMenuWindow::~TrayMenuWindow() {
  loop_.Forget(window_);
  XDestroyWindow(x_, window_);
}

int TrayMenuWindow::ItemAt(int y) const {
  const int item = y >= 2 ? (y - 2) / itemHeight_ : -1;
  return item >= 0 && item < Count() ? item : -1;
}

int TrayMenuWindow::Run(Point at, std::vector<const char*> captions, bool fromKeyboard) {
  captions_ = std::move(captions);
  width_ = ScaleForDpi(120, loop_.display().Dpi());
  for (const char* caption : captions_)
    width_ = std::max(width_, font_->TextWidth(caption) + 2 * itemHeight_);
  const int height = Count() * itemHeight_ + 4;
  XDisplay& d = loop_.display();
  // Above and left of the pointer when it is low on the screen (the tray is at the bottom).
  int left = std::clamp(at.x, 0, DisplayWidth(x_, d.Screen()) - width_ - 2);
  int top = at.y + height > DisplayHeight(x_, d.Screen()) ? at.y - height : at.y;
  XMoveResizeWindow(x_, window_, left, std::max(top, 0), static_cast<unsigned>(width_),
                    static_cast<unsigned>(height));
  XMapRaised(x_, window_);
  hot_ = fromKeyboard ? 0 : -1;
  chosen_ = -1;
  open_ = true;
  // The grabs may fail for a moment while another client still holds the pointer or the
  // keyboard (the tray, which handed the icon the key that opened the menu). Every key goes
  // to the menu, also while the icon, a window of this program, has the focus.
  bool pointer = false, keyboard = false;
  for (int attempt = 0; attempt < 20 && !(pointer && keyboard); ++attempt) {
    pointer =
        pointer ||
        XGrabPointer(x_, window_, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime) == GrabSuccess;
    keyboard = keyboard || XGrabKeyboard(x_, window_, False, GrabModeAsync, GrabModeAsync,
                                         CurrentTime) == GrabSuccess;
    if (!(pointer && keyboard)) loop_.Wait(10);
  }
  if (!keyboard) DebugLog("menu without the keyboard");
  Paint();
  loop_.RunUntil([this] { return !open_; });
  XUngrabPointer(x_, CurrentTime);
  XUngrabKeyboard(x_, CurrentTime);
  XUnmapWindow(x_, window_);
  XFlush(x_);
  return chosen_;
}

void TrayMenuWindow::Paint() {
  if (!open_) return;
  Painter painter(x_, loop_.display().Screen(), window_);
  const int height = Count() * itemHeight_ + 4;
  painter.Fill({0, 0, width_, height}, kFaceColour);
  for (int i = 0; i < Count(); ++i) {
    const WindowRect row{2, 2 + i * itemHeight_, width_ - 4, itemHeight_};
    if (i == hot_) painter.Fill(row, kHighlight);
    painter.Text({row.left + itemHeight_, row.top, row.width - itemHeight_, row.height},
                 captions_[static_cast<std::size_t>(i)], *font_, i == hot_ ? kWhite : kBlack);
  }
}

}  // namespace qv
