#include "x11/kit/message_box.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "base/utf8_text.h"
#include "desktop/dpi_scale.h"
#include "x11/base/drawing.h"
#include "x11/kit/x_form.h"

namespace qv {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == '\n')
      lines.emplace_back();
    else
      lines.back() += text[i];
  }
  return lines;
}

// A yellow triangle with "!" or a red disc with "X", drawn row by row.
void PaintIcon(Painter& painter, const WindowRect& r, BoxIcon icon, const Font& font) {
  const int size = r.width;
  const double radius = size / 2.0;
  const Rgb fill = icon == BoxIcon::Warning ? 0xF2C200 : 0xD02020;
  for (int row = 0; row < size; ++row) {
    const double dy = row + 0.5 - radius;
    const int half = icon == BoxIcon::Warning
                         ? (row + 1) / 2
                         : static_cast<int>(std::sqrt(std::max(0.0, radius * radius - dy * dy)));
    painter.Fill({r.left + size / 2 - half, r.top + row, 2 * half, 1}, fill);
  }
  const char* glyph = icon == BoxIcon::Warning ? "!" : "X";
  const int lower = icon == BoxIcon::Warning ? size / 6 : 0;  // into the triangle's wide part
  painter.Text({r.left, r.top + lower, size, size - lower}, glyph, font,
               icon == BoxIcon::Warning ? kBlack : kWhite, true);
}

class MessageBoxWindow : public XForm {
 public:
  MessageBoxWindow(EventLoop& loop, const std::string& caption, const std::string& text,
                   MessageButtons buttons, BoxIcon icon)
      : XForm(loop), lines_(Lines(DisplayableUtf8(text))), buttons_(buttons), icon_(icon) {
    XDisplay& d = loop.display();
    const int dpi = d.Dpi();
    font_ = std::make_unique<Font>(x(), d.Screen(), -FontHeightForDpi(9, dpi), false);
    pad_ = ScaleForDpi(12, dpi);
    iconSize_ = ScaleForDpi(32, dpi);
    iconFont_ = std::make_unique<Font>(x(), d.Screen(), iconSize_ * 2 / 3, true);
    buttonWidth_ = ScaleForDpi(75, dpi);
    buttonHeight_ = ScaleForDpi(23, dpi);
    const int textLeft = 2 * pad_ + iconSize_;
    int width = 2 * buttonWidth_ + 3 * pad_;
    for (const std::string& line : lines_)
      width = std::max(width, font_->TextWidth(line) + textLeft + pad_);
    width = std::min(width, DisplayWidth(x(), d.Screen()) - 40);
    const int textHeight = std::max(iconSize_, static_cast<int>(lines_.size()) * font_->Height());
    const int height = pad_ * 3 + textHeight + buttonHeight_;
    CreateForm({caption.c_str(), width, height, true, true, true},
               KeyPressMask | ButtonPressMask | ButtonReleaseMask);
    // Centred on the screen the pointer is on, as Windows centres a box without an owner.
    bounds_.left = (DisplayWidth(x(), d.Screen()) - width) / 2;
    bounds_.top = (DisplayHeight(x(), d.Screen()) - height) / 2;
    SetStayOnTop(true);
  }

  MessageAnswer Run() {
    Show();
    loop_.RunUntil([this] { return answered_; });
    Hide();
    return answered_ ? answer_ : MessageAnswer::Cancel;
  }

 private:
  std::vector<std::pair<WindowRect, MessageAnswer>> ButtonPlaces() const {
    const int top = bounds_.height - pad_ - buttonHeight_;
    if (buttons_ == MessageButtons::Ok)
      return {{{(bounds_.width - buttonWidth_) / 2, top, buttonWidth_, buttonHeight_},
               MessageAnswer::Ok}};
    const int left = (bounds_.width - 2 * buttonWidth_ - pad_) / 2;
    return {{{left, top, buttonWidth_, buttonHeight_}, MessageAnswer::Yes},
            {{left + buttonWidth_ + pad_, top, buttonWidth_, buttonHeight_}, MessageAnswer::No}};
  }

  void Answer(MessageAnswer answer) {
    answer_ = answer;
    answered_ = true;
  }

  void OnEvent(XEvent& event) override {
    const bool yesNo = buttons_ == MessageButtons::YesNo;
    switch (event.type) {
      case Expose:
        if (event.xexpose.count == 0) Paint();
        break;
      case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Return || key == XK_KP_Enter || key == XK_space)
          Answer(yesNo ? MessageAnswer::Yes : MessageAnswer::Ok);
        else if (key == XK_Escape)
          Answer(yesNo ? MessageAnswer::No : MessageAnswer::Ok);
        else if (yesNo && key == XK_y)
          Answer(MessageAnswer::Yes);
        else if (yesNo && key == XK_n)
          Answer(MessageAnswer::No);
        break;
      }
      case ButtonRelease:
        if (event.xbutton.button != Button1) break;
        for (const auto& [place, answer] : ButtonPlaces())
          if (Contains(place, {event.xbutton.x, event.xbutton.y})) Answer(answer);
        break;
      case ClientMessage:  // the window's close box
        Answer(MessageAnswer::Cancel);
        break;
      default:
        break;
    }
  }

  void Paint() {
    Painter painter(x(), loop_.display().Screen(), window_);
    painter.Fill({0, 0, bounds_.width, bounds_.height}, kFaceColour);
    PaintIcon(painter, {pad_, pad_, iconSize_, iconSize_}, icon_, *iconFont_);
    const int textLeft = 2 * pad_ + iconSize_;
    int top = pad_;
    for (const std::string& line : lines_) {
      painter.Text({textLeft, top, bounds_.width - textLeft - pad_, font_->Height()}, line, *font_,
                   kBlack);
      top += font_->Height();
    }
    for (const auto& [place, answer] : ButtonPlaces()) {
      painter.Fill(place, kWhite);
      painter.Edge(place, true);
      const char* caption = answer == MessageAnswer::Ok    ? "OK"
                            : answer == MessageAnswer::Yes ? "Yes"
                                                           : "No";
      painter.Text(place, caption, *font_, kBlack, true);
    }
  }

  std::unique_ptr<Font> font_, iconFont_;
  std::vector<std::string> lines_;
  MessageButtons buttons_;
  BoxIcon icon_;
  int pad_ = 12, iconSize_ = 32, buttonWidth_ = 75, buttonHeight_ = 23;
  bool answered_ = false;
  MessageAnswer answer_ = MessageAnswer::Ok;
};

}  // namespace

MessageAnswer ShowMessageBox(EventLoop& loop, const std::string& caption, const std::string& text,
                             MessageButtons buttons, BoxIcon icon) {
  MessageBoxWindow box(loop, caption, text, buttons, icon);
  return box.Run();
}

}  // namespace qv
