#include "x11/kit/text_window.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

#include "base/utf8_text.h"
#include "desktop/dpi_scale.h"

namespace qv {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r')
      lines.emplace_back();
    else
      lines.back() += text[i] == '\t' ? ' ' : text[i];
  }
  return lines;
}

}  // namespace

TextWindow::TextWindow(EventLoop& loop, const char* name)
    : loop_(loop), x_(loop.display().Get()), timer_(loop.AddTimer([this] {
        Hide();
        if (onTimeUp) onTimeUp();
      })) {
  XDisplay& d = loop.display();
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(x_, d.Screen());
  attributes.event_mask = ExposureMask | ButtonPressMask;
  window_ = XCreateWindow(x_, d.Root(), 0, 0, 1, 1, 1, CopyFromParent, InputOutput, CopyFromParent,
                          CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XClassHint classHint{const_cast<char*>("quorvanel"), const_cast<char*>("Quorvanel")};
  XSetClassHint(x_, window_, &classHint);
  XStoreName(x_, window_, name);
  font_ = std::make_unique<Font>(x_, d.Screen(), -FontHeightForDpi(8, d.Dpi()), false);
  loop.Listen(window_, [this](XEvent& event) {
    if (event.type == Expose && event.xexpose.count == 0) Paint();
    if (event.type == ButtonPress && onClick) onClick();
  });
}

TextWindow::~TextWindow() {
  loop_.Forget(window_);
  XDestroyWindow(x_, window_);
}

void TextWindow::ShowAt(Point at, const std::string& text, bool above, int ms) {
  ShowPlaced(text, ms, [&](int width, int height) {
    XDisplay& d = loop_.display();
    const int screenWidth = DisplayWidth(x_, d.Screen()),
              screenHeight = DisplayHeight(x_, d.Screen());
    if (above) at = {at.x - width, at.y - height};
    return WindowRect{std::clamp(at.x, 0, std::max(screenWidth - width - 2, 0)),
                      std::clamp(at.y, 0, std::max(screenHeight - height - 2, 0)), width, height};
  });
}

void TextWindow::ShowPlaced(const std::string& text, int ms,
                            const std::function<WindowRect(int width, int height)>& place) {
  text_ = DisplayableUtf8(text);
  const int pad = 3;
  int width = 0, lines = 0;
  for (const std::string& line : Lines(text_)) {
    width = std::max(width, font_->TextWidth(line));
    ++lines;
  }
  width = std::min(width + 2 * pad, 1200);
  const int height = std::min(lines * font_->Height() + 2 * pad, 900);
  const WindowRect r = place(width, height);
  XMoveResizeWindow(x_, window_, r.left, r.top, static_cast<unsigned>(r.width),
                    static_cast<unsigned>(r.height));
  XMapRaised(x_, window_);
  visible_ = true;
  Paint();
  loop_.SetTimer(timer_, ms);
}

void TextWindow::Hide() {
  loop_.SetTimer(timer_, 0);
  if (!visible_) return;
  visible_ = false;
  XUnmapWindow(x_, window_);
  XFlush(x_);
}

void TextWindow::Paint() {
  if (!visible_) return;
  XWindowAttributes attributes{};
  XGetWindowAttributes(x_, window_, &attributes);
  Painter painter(x_, loop_.display().Screen(), window_);
  painter.Fill({0, 0, attributes.width, attributes.height}, kTipColour);
  int top = 3;
  for (const std::string& line : Lines(text_)) {
    painter.Text({3, top, attributes.width - 6, font_->Height()}, line, *font_, kBlack);
    top += font_->Height();
  }
}

}  // namespace qv
