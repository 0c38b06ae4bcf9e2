#include "x11/kit/x_form.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>

namespace qv {

namespace {

std::vector<XForm*>& AllForms() {
  static std::vector<XForm*> forms;
  return forms;
}

// _MOTIF_WM_HINTS: no decorations.
struct MotifHints {
  unsigned long flags, functions, decorations;
  long inputMode;
  unsigned long status;
};

}  // namespace

XForm::~XForm() {
  auto& forms = AllForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (window_) {
    loop_.Forget(window_);
    XDestroyWindow(x(), window_);
  }
}

void XForm::CreateForm(const FormStyle& style, long eventMask) {
  XDisplay& d = loop_.display();
  const Atoms& a = d.atoms();
  framed_ = style.framed;
  bounds_ = {0, 0, style.width, style.height};
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(x(), d.Screen());
  attributes.event_mask = eventMask | StructureNotifyMask | ExposureMask | FocusChangeMask;
  attributes.bit_gravity = NorthWestGravity;
  window_ = XCreateWindow(x(), d.Root(), 0, 0, static_cast<unsigned>(style.width),
                          static_cast<unsigned>(style.height), 0, CopyFromParent, InputOutput,
                          CopyFromParent, CWBackPixel | CWEventMask | CWBitGravity, &attributes);
  XClassHint classHint{const_cast<char*>("quorvanel"), const_cast<char*>("Quorvanel")};
  XSetClassHint(x(), window_, &classHint);
  XStoreName(x(), window_, style.title);
  XChangeProperty(x(), window_, a.netWmName, a.utf8String, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(style.title),
                  static_cast<int>(std::char_traits<char>::length(style.title)));
  const long pid = getpid();
  XChangeProperty(x(), window_, a.netWmPid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  Atom protocols[] = {a.wmDeleteWindow};
  XSetWMProtocols(x(), window_, protocols, 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(x(), window_, &hints);
  if (!style.framed) {
    MotifHints motif{2, 0, 0, 0, 0};
    XChangeProperty(x(), window_, a.motifWmHints, a.motifWmHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&motif), 5);
  }
  const Atom type = style.dialog ? a.netWmWindowTypeDialog : a.netWmWindowTypeUtility;
  XChangeProperty(x(), window_, a.netWmWindowType, XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);
  loop_.Listen(window_, [this](XEvent& event) { Handle(event); });
  AllForms().push_back(this);
}

void XForm::Handle(XEvent& event) {
  switch (event.type) {
    case MapNotify:
      mapped_ = true;
      break;
    case UnmapNotify:
      mapped_ = false;
      break;
    case ConfigureNotify:
      // The window manager's own notice (synthetic) tells where the window is on the screen;
      // the server's, while the window is reparented, is relative to a frame on its way and
      // would undo a move just asked for.
      if (event.xconfigure.send_event)
        bounds_ = {event.xconfigure.x, event.xconfigure.y, event.xconfigure.width,
                   event.xconfigure.height};
      else
        bounds_ = {bounds_.left, bounds_.top, event.xconfigure.width, event.xconfigure.height};
      break;
    case ClientMessage:
      if (static_cast<Atom>(event.xclient.data.l[0]) == loop_.display().atoms().wmDeleteWindow) {
        OnEvent(event);
        return;
      }
      break;
    default:
      break;
  }
  OnEvent(event);
}

void XForm::MoveTo(const WindowRect& r) {
  bounds_ = r;
  XSizeHints size{};
  size.flags = USPosition | USSize | PPosition | PSize;
  size.x = r.left;
  size.y = r.top;
  size.width = r.width;
  size.height = r.height;
  XSetWMNormalHints(x(), window_, &size);
  XMoveResizeWindow(x(), window_, r.left, r.top, static_cast<unsigned>(std::max(r.width, 1)),
                    static_cast<unsigned>(std::max(r.height, 1)));
}

void XForm::SetLeft(int left) {
  if (left != bounds_.left) MoveTo({left, bounds_.top, bounds_.width, bounds_.height});
}

void XForm::SetTop(int top) {
  if (top != bounds_.top) MoveTo({bounds_.left, top, bounds_.width, bounds_.height});
}

void XForm::SetWidth(int width) {
  if (width != bounds_.width) MoveTo({bounds_.left, bounds_.top, width, bounds_.height});
}

void XForm::SetHeight(int height) {
  if (height != bounds_.height) MoveTo({bounds_.left, bounds_.top, bounds_.width, height});
}

void XForm::SendWmState(bool add, Atom state) {
  const Atoms& a = loop_.display().atoms();
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = a.netWmState;
  event.xclient.format = 32;
  event.xclient.data.l[0] = add ? 1 : 0;
  event.xclient.data.l[1] = static_cast<long>(state);
  event.xclient.data.l[3] = 2;
  XSendEvent(x(), loop_.display().Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
}

void XForm::SetStayOnTop(bool onTop) {
  onTop_ = onTop;
  if (mapped_) SendWmState(onTop, loop_.display().atoms().netWmStateAbove);
}

void XForm::Show() {
  visible_ = true;
  hiddenByMinimise_ = false;
  const Atoms& a = loop_.display().atoms();
  if (!mapped_) {
    std::vector<Atom> states{a.netWmStateSkipTaskbar, a.netWmStateSkipPager};
    if (onTop_) states.push_back(a.netWmStateAbove);
    XChangeProperty(x(), window_, a.netWmState, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(states.data()),
                    static_cast<int>(states.size()));
    MoveTo(bounds_);
    XMapRaised(x(), window_);
    // The window manager maps it; until then it cannot take the keyboard.
    loop_.RunUntil([this] { return mapped_; }, 300);
  } else {
    XRaiseWindow(x(), window_);
  }
  Activate();
}

void XForm::Hide() {
  visible_ = false;
  hiddenByMinimise_ = false;
  if (mapped_ || window_) XWithdrawWindow(x(), window_, loop_.display().Screen());
  mapped_ = false;
  XFlush(x());
}

void XForm::Activate() {
  loop_.display().ActivateWindow(window_);
  XFlush(x());
}

void XForm::Redraw() {
  if (!mapped_) return;
  XClearArea(x(), window_, 0, 0, 0, 0, True);
}

void XForm::MinimiseAll() {
  for (XForm* form : AllForms()) {
    if (!form->visible_ || form->hiddenByMinimise_) continue;
    form->Hide();
    form->visible_ = true;
    form->hiddenByMinimise_ = true;
  }
}

void XForm::RestoreAll() {
  for (XForm* form : AllForms()) {
    if (!form->hiddenByMinimise_) continue;
    form->hiddenByMinimise_ = false;
    XMapWindow(form->x(), form->window_);
  }
}

bool XForm::IsOwn(Window window) {
  if (!window) return false;
  for (XForm* form : AllForms())
    if (form->window_ == window) return true;
  return false;
}

bool XForm::AnyOwnMapped() {
  for (XForm* form : AllForms())
    if (form->mapped_) return true;
  return false;
}

}  // namespace qv
