#include "x11/services/x_tray_icon.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <utility>

#include "desktop/dpi_scale.h"
#include "x11/base/drawing.h"
#include "x11/base/x_display.h"
#include "x11/services/tray_menu_window.h"

namespace qv {

namespace {

constexpr long kRequestDock = 0;
constexpr int kTipDelayMs = 500;
constexpr int kNoticeMs = 8000;

}  // namespace

XTrayIcon::XTrayIcon(EventLoop& loop)
    : loop_(loop),
      x_(loop.display().Get()),
      tipWindow_(loop, "Quorvanel tip"),
      notice_(loop, "Quorvanel notice"),
      tipTimer_(loop.AddTimer([this] {
        loop_.SetTimer(tipTimer_, 0);
        const Point pointer = PointerPlace();
        tipWindow_.ShowAt({pointer.x, pointer.y - 4}, tip_, true, 10000);
      })) {
  XDisplay& d = loop.display();
  const int size = ScaleForDpi(22, d.Dpi());
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(x_, d.Screen());
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | EnterWindowMask |
                          LeaveWindowMask | StructureNotifyMask | KeyPressMask;
  window_ = XCreateWindow(x_, d.Root(), 0, 0, static_cast<unsigned>(size),
                          static_cast<unsigned>(size), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  XClassHint classHint{const_cast<char*>("quorvanel"), const_cast<char*>("Quorvanel")};
  XSetClassHint(x_, window_, &classHint);
  XStoreName(x_, window_, "Quorvanel tray");
  XSizeHints hints{};
  hints.flags = PMinSize;
  hints.min_width = hints.min_height = size;
  XSetWMNormalHints(x_, window_, &hints);
  const long info[2] = {0, 1};  // XEmbed version 0, mapped
  XChangeProperty(x_, window_, d.atoms().xembedInfo, d.atoms().xembedInfo, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(info), 2);
  loop.Listen(window_, [this](XEvent& event) { OnEvent(event); });
  loop.ListenElsewhere([this](XEvent& event) { OnRootEvent(event); });
  d.SelectRootEvents(StructureNotifyMask);
  notice_.onClick = [this] { notice_.Hide(); };
}

XTrayIcon::~XTrayIcon() {
  loop_.Forget(window_);
  XDestroyWindow(x_, window_);
  XFlush(x_);
}

void XTrayIcon::SetMenu(std::function<void(TrayCommand)> chosen) {
  chosen_ = std::move(chosen);
}

Point XTrayIcon::PointerPlace() const {
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned mask = 0;
  XQueryPointer(x_, window_, &root, &child, &rootX, &rootY, &winX, &winY, &mask);
  return {rootX, rootY};
}

void XTrayIcon::Dock() {
  XDisplay& d = loop_.display();
  XGrabServer(x_);
  tray_ = XGetSelectionOwner(x_, d.atoms().traySelection);
  if (tray_) XSelectInput(x_, tray_, StructureNotifyMask);  // its end undocks us
  XUngrabServer(x_);
  if (!tray_) {
    DebugLog("tray none");
    return;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = tray_;
  event.xclient.message_type = d.atoms().trayOpcode;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(d.LastTime());
  event.xclient.data.l[1] = kRequestDock;
  event.xclient.data.l[2] = static_cast<long>(window_);
  XSendEvent(x_, tray_, False, NoEventMask, &event);  // a tray gone meanwhile: its error is dropped
  XFlush(x_);
}

void XTrayIcon::OnRootEvent(XEvent& event) {
  const Atoms& a = loop_.display().atoms();
  if (event.type == ClientMessage && event.xclient.message_type == a.trayManager &&
      static_cast<Atom>(event.xclient.data.l[1]) == a.traySelection) {
    Dock();  // a new tray
  } else if (event.type == DestroyNotify && tray_ && event.xdestroywindow.window == tray_) {
    tray_ = 0;
    docked_ = false;
    DebugLog("tray gone");
  }
}

void XTrayIcon::OnEvent(XEvent& event) {
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) Paint();
      break;
    case ReparentNotify:
      docked_ = event.xreparent.parent != loop_.display().Root();
      if (docked_) {
        DebugLog("tray docked");
        XMapRaised(x_, window_);
      }
      break;
    case EnterNotify:
      loop_.SetTimer(tipTimer_, kTipDelayMs);
      break;
    case LeaveNotify:
      loop_.SetTimer(tipTimer_, 0);
      tipWindow_.Hide();
      break;
    case ButtonPress:
      loop_.SetTimer(tipTimer_, 0);
      tipWindow_.Hide();
      if (event.xbutton.button == Button3) clicks_.OnMouse(TrayMouse::RightDown);
      break;
    case ButtonRelease:
      if (event.xbutton.button == Button3) OnGesture(TrayMouse::RightUp, PointerPlace());
      break;
    case KeyPress:
      OnKey(event.xkey);
      break;
    default:
      break;
  }
}

// The tray hands the icon the keyboard when the user moves onto it (XEmbed's focus):
// Enter and Space, the menu key and Shift+F10 open the menu at the icon, as on Windows.
void XTrayIcon::OnKey(XKeyEvent& event) {
  const KeySym key = XLookupKeysym(&event, 0);
  TrayMouse gesture = TrayMouse::Other;
  if (key == XK_Return || key == XK_KP_Enter || key == XK_space) gesture = TrayMouse::KeySelect;
  if (key == XK_Menu || (key == XK_F10 && (event.state & ShiftMask))) {
    gesture = TrayMouse::ContextMenu;
  }
  if (gesture == TrayMouse::Other) return;
  Window child = 0;
  int left = 0, top = 0;
  XTranslateCoordinates(x_, window_, loop_.display().Root(), 0, 0, &left, &top, &child);
  XWindowAttributes attributes{};
  XGetWindowAttributes(x_, window_, &attributes);
  OnGesture(gesture, {left, top + attributes.height});
}

void XTrayIcon::OnGesture(TrayMouse gesture, Point at) {
  if (!clicks_.OnMouse(gesture)) return;
  OpenMenu(at, gesture == TrayMouse::KeySelect || gesture == TrayMouse::ContextMenu);
}

void XTrayIcon::OpenMenu(Point at, bool fromKeyboard) {
  if (!menu_) menu_ = std::make_unique<TrayMenuWindow>(loop_);
  clicks_.MenuOpened();
  std::vector<const char*> captions;
  for (const TrayMenuItem& item : kTrayMenu) captions.push_back(item.caption);
  const int chosen = menu_->Run(at, std::move(captions), fromKeyboard);
  clicks_.MenuClosed();
  clicks_.Reset();
  if (chosen >= 0 && chosen_) chosen_(kTrayMenu[static_cast<std::size_t>(chosen)].command);
}

void XTrayIcon::Paint() {
  XWindowAttributes attributes{};
  XGetWindowAttributes(x_, window_, &attributes);
  const int w = attributes.width, h = attributes.height;
  Painter painter(x_, loop_.display().Screen(), window_);
  painter.Fill({0, 0, w, h}, kFaceColour);
  // The program's picture at the icon's size.
  const int dpi = kDesignDpi * std::min(w, h) / 16;
  const int side = ScaleForDpi(16, dpi);
  DrawClipboard(painter, {(w - side) / 2, (h - side) / 2}, dpi);
}

void XTrayIcon::SetTip(const std::string& text) {
  tip_ = text;
  if (tipWindow_.Visible()) tipWindow_.Hide();
  if (onTip) onTip(tip_);
}

Point XTrayIcon::NoticeCorner() const {
  XDisplay& d = loop_.display();
  Window child = 0;
  int left = 0, top = 0;
  if (docked_ && XTranslateCoordinates(x_, window_, d.Root(), 0, 0, &left, &top, &child))
    return {left + 22, top - 4};
  return {DisplayWidth(x_, d.Screen()) - 4, DisplayHeight(x_, d.Screen()) - 40};
}

void XTrayIcon::Notify(const std::string& text) {
  DebugLog("notice " + text.substr(0, text.find('\n')));
  notice_.ShowAt(NoticeCorner(), text, true, kNoticeMs);
}

void XTrayIcon::LetNoticeBeSeen(int lingerMs) {
  if (notice_.Visible() && lingerMs > 0) loop_.Wait(lingerMs);
}

}  // namespace qv
