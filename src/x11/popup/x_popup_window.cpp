#include "x11/popup/x_popup_window.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "base/product.h"
#include "base/utf8_text.h"
#include "desktop/dpi_scale.h"
#include "desktop/key_position.h"
#include "desktop/monitor_placement.h"
#include "desktop/window_names.h"
#include "library/slot_library.h"
#include "linux/base/handler_guard.h"
#include "linux/base/key_map.h"
#include "popup/popup_rules.h"
#include "x11/base/screens.h"

namespace qv {

namespace {

// XKB's name of the key's position ("AB03"); empty when the server does not tell.
std::string KeyPositionName(Display* display, KeyCode code) {
  XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
  if (!keyboard) return {};
  std::string name;
  if (XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success && keyboard->names &&
      keyboard->names->keys && code >= keyboard->min_key_code && code <= keyboard->max_key_code) {
    const char* key = keyboard->names->keys[code].name;
    name.assign(key, strnlen(key, XkbKeyNameLength));
  }
  XkbFreeKeyboard(keyboard, 0, True);
  return name;
}

// The core's picture drawn with Xft, in the window's three fonts.
class XCanvas : public Canvas {
 public:
  XCanvas(Painter& painter, const Font* fonts[3]) : painter_(painter), fonts_(fonts) {}
  void Fill(const WindowRect& r, Rgb colour) override { painter_.Fill(r, colour); }
  void Text(const WindowRect& r, const std::string& utf8, FontRole font, Rgb colour,
            bool centred) override {
    painter_.Text(r, DisplayableUtf8(utf8), *fonts_[static_cast<int>(font)], colour, centred);
  }

 private:
  Painter& painter_;
  const Font** fonts_;
};

MouseButton ButtonOf(unsigned button) {
  switch (button) {
    case Button1:
      return MouseButton::Left;
    case Button2:
      return MouseButton::Middle;
    case Button4:
      return MouseButton::WheelUp;
    case Button5:
      return MouseButton::WheelDown;
    default:
      return MouseButton::Right;
  }
}

}  // namespace

XPopupWindow::XPopupWindow(EventLoop& loop)
    : XForm(loop),
      slotList_(kPageRows, [this] { Changed(); }),
      labelColumn_(kPageRows, [this] { Changed(); }),
      crlf_([this] { Changed(); }),
      crlfLf_([this] { Changed(); }),
      timer1_(loop, [this] { RunHandler([this] { controller_->Timer1Timer(); }); }),
      timer3_(loop, [this] { RunHandler([this] { controller_->Timer3Timer(); }); }),
      hintWindow_(loop, "Quorvanel hint"),
      geometry_(PopupGeometry::ForDpi(loop.display().Dpi())),
      mouse_(geometry_, slotList_, labelColumn_, labelHint_,
             [](const std::function<void()>& handler) { RunHandler(handler); }) {
  const int dpi = geometry_.dpi;
  Display* display = loop.display().Get();
  const int pixels = -layout_.fontHeight;
  font_ = std::make_unique<Font>(display, loop.display().Screen(), pixels, false);
  boldFont_ = std::make_unique<Font>(display, loop.display().Screen(), pixels, true);
  bannerFont_ =
      std::make_unique<Font>(display, loop.display().Screen(), -FontHeightForDpi(9, dpi), true);
  hintWindow_.onTimeUp = [this] { labelHint_.TimeUp(); };
}

PopupView XPopupWindow::View() {
  return PopupView{*this,   *this,         slotList_, labelColumn_, labelHint_, crlf_,
                   crlfLf_, headerNotice_, timer1_,   timer3_,      layout_};
}

void XPopupWindow::Create(PopupController& controller, MainWindowEvents& events) {
  controller_ = &controller;
  events_ = &events;
  mouse_.Bind(controller, events);
  CreateForm(
      {kMainWindowCaption, layout_.panel.width, layout_.panel.height},
      KeyPressMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask);
  labelColumn_.SetItems(KeyLabelItems());
}

void XPopupWindow::Show() {
  XForm::Show();
  DebugLog("list shown");
}

void XPopupWindow::Hide() {
  if (Visible()) DebugLog("list hidden");
  hintWindow_.Hide();
  focusedButton_ = -1;
  mouse_.Reset();
  XForm::Hide();
}

void XPopupWindow::HintDisplay::ShowAtPointer(const std::string& text) {
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  XQueryPointer(owner_.x(), owner_.window_, &root, &child, &rootX, &rootY, &winX, &winY, &mask);
  const Point at{rootX, rootY};
  // Inside the work area of the monitor under the pointer, as on Windows.
  const Monitor monitor = MonitorOfWork(MonitorsNow(owner_.loop_.display()), std::nullopt, at);
  owner_.hintWindow_.ShowPlaced(text, 30000, [&](int width, int height) {
    return PlaceHintAtPointer(width, height, at, ScaleForDpi(20, owner_.Dpi()), monitor);
  });
}

void XPopupWindow::OnEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint();
      break;
    case MapNotify:
      DebugLog("list mapped");
      break;
    case KeyPress:
      OnKey(event.xkey);
      break;
    case ButtonPress:
      mouse_.Press(ButtonOf(event.xbutton.button), {event.xbutton.x, event.xbutton.y});
      break;
    case ButtonRelease:
      mouse_.Release(ButtonOf(event.xbutton.button), {event.xbutton.x, event.xbutton.y});
      break;
    case MotionNotify: {
      constexpr unsigned kOthers = Button2Mask | Button3Mask | ShiftMask | ControlMask | Mod1Mask;
      const unsigned state = event.xmotion.state;
      mouse_.Move({event.xmotion.x, event.xmotion.y}, (state & Button1Mask) && !(state & kOthers));
      break;
    }
    case LeaveNotify:
      mouse_.Left();
      break;
    case ClientMessage:
      RunHandler([this] { events_->CloseMainWindow(); });
      break;
    default:
      break;
  }
}

void XPopupWindow::OnKey(XKeyEvent& key) {
  labelHint_.Cancelled();
  // The key's own letter or digit in any group of the layout, unshifted or shifted: on a
  // Cyrillic layout the slot keys are where the Latin ones are, and on a French one the digits
  // are the top row's shifted symbols, as Windows' virtual keys are.
  Display* display = x();
  const KeyCode code = static_cast<KeyCode>(key.keycode);
  if (HeaderButtonKey(XkbKeycodeToKeysym(display, code, 0, 0), key.state)) return;
  const int group = static_cast<int>((key.state >> 13) & 3);
  unsigned vk = 0;
  for (int level = 0; level < 2 && vk == 0; ++level)
    vk = VirtualKeyForKeysym(XkbKeycodeToKeysym(display, code, group, level));
  for (int other = 0; other < 4 && vk == 0; ++other)
    vk = VirtualKeyForKeysym(XkbKeycodeToKeysym(display, code, other, 0));
  // A layout with no Latin group (Russian alone): the letter a US keyboard has there.
  if (vk == 0) vk = VirtualKeyOfPosition(KeyPositionName(display, code));
  if (vk == 0) return;
  loop_.display().SeeTime(key.time);
  RunHandler([&] { controller_->FormKeyDown(vk); });
}

bool XPopupWindow::HeaderButtonKey(KeySym keysym, unsigned state) {
  if (keysym == XK_Tab || keysym == XK_ISO_Left_Tab) {
    const bool back = keysym == XK_ISO_Left_Tab || (state & ShiftMask) != 0;
    focusedButton_ = focusedButton_ < 0 ? (back ? kCloseButton : kCrLfLfButton)
                                        : (focusedButton_ + (back ? 2 : 1)) % 3;
    Redraw();
    return true;
  }
  if (keysym != XK_space || focusedButton_ < 0) return false;
  mouse_.PressHeaderButton(focusedButton_);
  return true;
}

void XPopupWindow::Paint() {
  Painter painter(x(), loop_.display().Screen(), window_);
  const Font* fonts[3] = {font_.get(), boldFont_.get(), bannerFont_.get()};
  XCanvas canvas(painter, fonts);
  const auto list = [](const ListModel& model, int selection) {
    return ListPicture{model.Count(), model.TopRow(), model.VisibleRows(), selection,
                       [&model](int row) { return model.Item(row); }};
  };
  PaintPopup(canvas, geometry_,
             {list(slotList_, slotList_.Selection()), list(labelColumn_, -1), headerNotice_.Text(),
              crlf_.Down(), crlfLf_.Down(), focusedButton_});
}

}  // namespace qv
