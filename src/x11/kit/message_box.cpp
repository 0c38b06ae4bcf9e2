#include "x11/kit/message_box.h"

#include <X11/keysym.h>

#include <algorithm>
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

class MessageBoxWindow : public XForm {
 public:
  MessageBoxWindow(EventLoop& loop, const std::string& caption, const std::string& text,
                   MessageButtons buttons)
      : XForm(loop), lines_(Lines(DisplayableUtf8(text))), buttons_(buttons) {
    XDisplay& d = loop.display();
    const int dpi = d.Dpi();
    font_ = std::make_unique<Font>(x(), d.Screen(), -FontHeightForDpi(9, dpi), false);
    pad_ = ScaleForDpi(12, dpi);
    buttonWidth_ = ScaleForDpi(75, dpi);
    buttonHeight_ = ScaleForDpi(23, dpi);
    int width = 2 * buttonWidth_ + 3 * pad_;
    for (const std::string& line : lines_)
      width = std::max(width, font_->TextWidth(line) + 2 * pad_);
    width = std::min(width, DisplayWidth(x(), d.Screen()) - 40);
    const int height = pad_ * 3 + static_cast<int>(lines_.size()) * font_->Height() + buttonHeight_;
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
    return answered_ ? answer_
                     : (buttons_ == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok);
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
        Answer(yesNo ? MessageAnswer::No : MessageAnswer::Ok);
        break;
      default:
        break;
    }
  }

  void Paint() {
    Painter painter(x(), loop_.display().Screen(), window_);
    painter.Fill({0, 0, bounds_.width, bounds_.height}, kFaceColour);
    int top = pad_;
    for (const std::string& line : lines_) {
      painter.Text({pad_, top, bounds_.width - 2 * pad_, font_->Height()}, line, *font_, kBlack);
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

  std::unique_ptr<Font> font_;
  std::vector<std::string> lines_;
  MessageButtons buttons_;
  int pad_ = 12, buttonWidth_ = 75, buttonHeight_ = 23;
  bool answered_ = false;
  MessageAnswer answer_ = MessageAnswer::Ok;
};

}  // namespace

MessageAnswer ShowMessageBox(EventLoop& loop, const std::string& caption, const std::string& text,
                             MessageButtons buttons) {
  MessageBoxWindow box(loop, caption, text, buttons);
  return box.Run();
}

}  // namespace qv
