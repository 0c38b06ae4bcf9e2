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
#include "popup/popup_rules.h"
#include "x11/base/key_map.h"
#include "x11/base/screens.h"
#include "x11/kit/handler_guard.h"

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

enum HeaderButtonIndex { kCrLfLf = 0, kCrLf = 1, kClose = 2 };
constexpr const char* kHeaderCaptions[] = {"+CR", "+cR", ""};
constexpr int kWheelRows = 3;

}  // namespace

XPopupWindow::XPopupWindow(EventLoop& loop)
    : XForm(loop),
      slotList_(kPageRows, [this] { Changed(); }),
      labelColumn_(kPageRows, [this] { Changed(); }),
      crlf_([this] { Changed(); }),
      crlfLf_([this] { Changed(); }),
      timer1_(loop, [this] { RunHandler([this] { controller_->Timer1Timer(); }); }),
      timer3_(loop, [this] { RunHandler([this] { controller_->Timer3Timer(); }); }),
      hintWindow_(loop, "Quorvanel hint") {
  const int dpi = loop.display().Dpi();
  listEdge_ = ScaleForDpi(2, dpi);
  layout_ = PopupLayoutForDpi(dpi, listEdge_);
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
  pressedButton_ = pressedRow_ = focusedButton_ = -1;
  listPressed_ = false;
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

WindowRect XPopupWindow::ListInner() const {
  const WindowRect& list = layout_.slotList;
  return {list.left + listEdge_, list.top + listEdge_,
          list.width - 2 * listEdge_ - ScrollBar().width, list.height - 2 * listEdge_};
}

WindowRect XPopupWindow::ScrollBar() const {
  const WindowRect& list = layout_.slotList;
  const int width = ScaleForDpi(17, Dpi());
  return {list.left + list.width - listEdge_ - width, list.top + listEdge_, width,
          list.height - 2 * listEdge_};
}

int XPopupWindow::RowAt(const WindowRect& inner, int y, const ListModel& list) const {
  if (y < inner.top) return -1;
  const int row = list.TopRow() + (y - inner.top) / layout_.rowHeight;
  return row < list.Count() ? row : -1;
}

int XPopupWindow::HeaderButtonAt(Point p) const {
  const std::array<WindowRect, 3> buttons{layout_.crLfLfButton, layout_.crLfButton,
                                          layout_.closeButton};
  for (int i = 0; i < 3; ++i)
    if (Contains(buttons[static_cast<std::size_t>(i)], p)) return i;
  return -1;
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
      OnButtonPress(event.xbutton);
      break;
    case ButtonRelease:
      OnButtonRelease(event.xbutton);
      break;
    case MotionNotify:
      OnMotion(event.xmotion);
      break;
    case LeaveNotify:
      if (pointerOverLabels_) labelHint_.Cancelled();
      pointerOverLabels_ = false;
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

void XPopupWindow::OnButtonPress(const XButtonEvent& button) {
  const Point p{button.x, button.y};
  const WindowRect inner = ListInner();
  const bool inList = Contains(layout_.slotList, p);
  const bool inLabels = Contains(layout_.labelColumn, p);
  if (button.button == Button4 || button.button == Button5) {
    if (inList) {
      const int step = button.button == Button4 ? -kWheelRows : kWheelRows;
      slotList_.SetTopRow(slotList_.TopRow() + step);
    }
    return;
  }
  if (inLabels && button.button == Button1) {
    labelHint_.Cancelled();
    const int row = RowAt(layout_.labelColumn, p.y, labelColumn_);
    if (row < 0) return;
    labelColumn_.Select(row);
    RunHandler([this] { controller_->ListBox7Click(); });
    return;
  }
  if (inList) {
    if (Contains(ScrollBar(), p)) {
      const WindowRect bar = ScrollBar();
      const bool upper = p.y < bar.top + bar.height / 2;
      slotList_.SetTopRow(slotList_.TopRow() + (upper ? -kPageRows : kPageRows));
      return;
    }
    const bool left = button.button == Button1;
    RunHandler([&] { events_->RxCheckListBox1MouseDown(left); });
    if (left && Contains(inner, p)) {
      listPressed_ = true;
      pressedRow_ = RowAt(inner, p.y, slotList_);
    }
    return;
  }
  if (button.button == Button1) {
    pressedButton_ = HeaderButtonAt(p);
    if (pressedButton_ >= 0) return;
  }
  RunHandler([&] { controller_->PanelMouseDown(p.x, p.y); });
}

void XPopupWindow::OnButtonRelease(const XButtonEvent& button) {
  const Point p{button.x, button.y};
  if (button.button == Button1 && listPressed_) {
    listPressed_ = false;
    const int row = Contains(ListInner(), p) ? RowAt(ListInner(), p.y, slotList_) : -1;
    const int pressed = std::exchange(pressedRow_, -1);
    // A release over the row pressed chooses it, as the list box's click does.
    if (row >= 0 && row == pressed) {
      slotList_.Select(row);
      RunHandler([this] { controller_->RxCheckListBox1Click(); });
    }
    RunHandler([this] { events_->RxCheckListBox1MouseUp(false); });
    return;
  }
  if (button.button == Button3 && Contains(layout_.slotList, p)) {
    RunHandler([this] { events_->RxCheckListBox1MouseUp(true); });
    return;
  }
  if (button.button != Button1) return;
  const int pressed = std::exchange(pressedButton_, -1);
  if (pressed >= 0 && HeaderButtonAt(p) == pressed) PressHeaderButton(pressed);
}

void XPopupWindow::PressHeaderButton(int button) {
  if (button == kClose) {
    RunHandler([this] { controller_->SpeedButton8Click(); });
    return;
  }
  RunHandler([&] {
    controller_->SuffixButtonClick(button == kCrLf ? SuffixButton::CrLf : SuffixButton::CrLfLf);
  });
}

bool XPopupWindow::HeaderButtonKey(KeySym keysym, unsigned state) {
  if (keysym == XK_Tab || keysym == XK_ISO_Left_Tab) {
    const bool back = keysym == XK_ISO_Left_Tab || (state & ShiftMask) != 0;
    focusedButton_ =
        focusedButton_ < 0 ? (back ? kClose : kCrLfLf) : (focusedButton_ + (back ? 2 : 1)) % 3;
    Redraw();
    return true;
  }
  if (keysym != XK_space || focusedButton_ < 0) return false;
  PressHeaderButton(focusedButton_);
  return true;
}

void XPopupWindow::OnMotion(const XMotionEvent& motion) {
  const Point p{motion.x, motion.y};
  const bool overLabels = Contains(layout_.labelColumn, p);
  if (overLabels) labelHint_.PointerMoved();
  if (!overLabels && pointerOverLabels_) labelHint_.Cancelled();
  pointerOverLabels_ = overLabels;
  if (pressedButton_ >= 0 || listPressed_) return;
  constexpr unsigned kOthers = Button2Mask | Button3Mask | ShiftMask | ControlMask | Mod1Mask;
  const bool leftAlone = (motion.state & Button1Mask) && !(motion.state & kOthers);
  if (!leftAlone) return;
  RunHandler([&] { controller_->PanelMouseMove(p.x, p.y, leftAlone); });
}

void XPopupWindow::PaintList(Painter& painter, const ListModel& list, const WindowRect& inner,
                             bool slots) {
  painter.Fill(inner, slots ? kListColour : kLabelColour);
  const int end = std::min(list.TopRow() + list.VisibleRows() + 1, list.Count());
  for (int row = list.TopRow(); row < end; ++row) {
    const WindowRect r{inner.left, inner.top + (row - list.TopRow()) * layout_.rowHeight,
                       inner.width, layout_.rowHeight};
    if (r.top >= inner.top + inner.height) break;
    const bool selected = slots && row == list.Selection();
    if (selected) painter.Fill(r, kHighlight);
    const int indent = slots ? layout_.rowTextIndent : ScaleForDpi(2, Dpi());
    const int height = std::min(r.height, inner.top + inner.height - r.top);
    painter.Text({r.left + indent, r.top, r.width - indent, height},
                 DisplayableUtf8(list.Item(row).substr(0, 255)), *font_, selected ? kWhite : kNavy);
  }
}

void XPopupWindow::Paint() {
  Painter painter(x(), loop_.display().Screen(), window_);
  const WindowRect panel = layout_.panel;
  painter.Fill(panel, kPanelColour);
  painter.Edge(panel, true);
  // The banner: the clipboard and the program's name, as the Windows header's picture.
  const WindowRect& banner = layout_.banner;
  DrawClipboard(painter, {banner.left, banner.top}, Dpi());
  const int textLeft = banner.left + ScaleForDpi(18, Dpi());
  // Up to the header's buttons: the fonts here may run wider than Windows' Arial.
  painter.Text({textLeft, banner.top, layout_.crLfLfButton.left - textLeft, banner.height},
               headerNotice_.Text().empty() ? QV_PRODUCT_NAME : headerNotice_.Text(), *bannerFont_,
               kBlue);
  const std::array<WindowRect, 3> buttons{layout_.crLfLfButton, layout_.crLfButton,
                                          layout_.closeButton};
  for (int i = 0; i < 3; ++i) {
    WindowRect r = buttons[static_cast<std::size_t>(i)];
    const bool down = (i == kCrLf && crlf_.Down()) || (i == kCrLfLf && crlfLf_.Down());
    if (down) {
      painter.Fill(r, colour::kButtonDown);
      painter.Edge(r, false);
      r.left += 1;
      r.top += 1;
    }
    if (i == focusedButton_) {  // the keyboard's place shows
      const WindowRect f{r.left + 2, r.top + 2, r.width - 4, r.height - 4};
      for (const WindowRect& side : {WindowRect{f.left, f.top, f.width, 1},
                                     WindowRect{f.left, f.top + f.height - 1, f.width, 1},
                                     WindowRect{f.left, f.top, 1, f.height},
                                     WindowRect{f.left + f.width - 1, f.top, 1, f.height}})
        painter.Fill(side, kBlack);
    }
    if (i == kClose) {
      const int unit = Dpi();
      const int left = r.left + (r.width - ScaleForDpi(9, unit)) / 2 + ScaleForDpi(3, unit);
      const int top = r.top + (r.height - ScaleForDpi(10, unit)) / 2;
      painter.Fill({left, top + ScaleForDpi(4, unit), ScaleForDpi(8, unit), ScaleForDpi(2, unit)},
                   kMaroon);
      continue;
    }
    painter.Text(r, kHeaderCaptions[i], *boldFont_, kMaroon, true);
  }
  const WindowRect& list = layout_.slotList;
  painter.Fill(list, kDarkShadow);
  painter.Edge(list, false);
  PaintList(painter, slotList_, ListInner(), true);
  const WindowRect bar = ScrollBar();
  painter.Fill(bar, kFaceColour);
  const int range = std::max(slotList_.Count(), kPageRows);
  const WindowRect thumb{bar.left + 1, bar.top + bar.height * slotList_.TopRow() / range,
                         bar.width - 2, bar.height * kPageRows / range};
  painter.Fill(thumb, 0xC8C8C8);
  painter.Edge(thumb, true);
  PaintList(painter, labelColumn_, layout_.labelColumn, false);
}

}  // namespace qv
