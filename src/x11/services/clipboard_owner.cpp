#include "x11/services/clipboard_owner.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <iterator>

#include "base/utf8_text.h"
#include "x11/base/x_display.h"

namespace qv {

ClipboardOwner::ClipboardOwner(EventLoop& loop) : loop_(loop) {
  XDisplay& d = loop.display();
  Display* x = d.Get();
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  passwordHint_ = XInternAtom(x, "x-kde-passwordManagerHint", False);
  window_ = XCreateWindow(x, d.Root(), -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                          CWEventMask, &attributes);
  // Room for the request's header in the largest request the server takes.
  long limit = XExtendedMaxRequestSize(x);
  if (limit == 0) limit = XMaxRequestSize(x);
  maxPiece_ = static_cast<std::size_t>(std::max<long>(limit * 4 - 256, 1024));
  maxPiece_ = std::min<std::size_t>(maxPiece_, 256 * 1024);
  loop.Listen(window_, [this](XEvent& event) { OnEvent(event); });
  loop.ListenElsewhere([this](XEvent& event) {
    if (event.type == PropertyNotify && event.xproperty.state == PropertyDelete) OnEvent(event);
  });
}

ClipboardOwner::~ClipboardOwner() {
  loop_.Forget(window_);
  XDestroyWindow(loop_.display().Get(), window_);
}

bool ClipboardOwner::Own(const std::string& text) {
  Display* x = loop_.display().Get();
  const Atom clipboard = loop_.display().atoms().clipboard;
  text_ = text;
  transfers_.clear();
  ownedSince_ = loop_.display().ServerTime();
  XSetSelectionOwner(x, clipboard, window_, ownedSince_);
  owned_ = XGetSelectionOwner(x, clipboard) == window_;
  return owned_;
}

bool ClipboardOwner::Serve(Window requestor, Atom property, Atom target) {
  Display* x = loop_.display().Get();
  const Atoms& a = loop_.display().atoms();
  if (target == a.targets) {
    const Atom targets[] = {a.targets, a.timestamp,     a.multiple,    a.utf8String, XA_STRING,
                            a.text,    a.textPlainUtf8, a.saveTargets, passwordHint_};
    XChangeProperty(x, requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(targets), std::size(targets));
    return true;
  }
  if (target == a.timestamp) {
    const long time = static_cast<long>(ownedSince_);
    XChangeProperty(x, requestor, property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&time), 1);
    return true;
  }
  Transfer transfer{requestor, property, target, {}, 0};
  if (target == a.utf8String || target == a.textPlainUtf8 || target == a.text) {
    transfer.data = text_;
    if (target == a.text) transfer.type = a.utf8String;
  } else if (target == XA_STRING) {
    transfer.data = Latin1Text(text_);
  } else if (target == passwordHint_) {
    transfer.data = "secret";  // clipboard managers keep no history of it

  } else {
    return false;
  }
  if (transfer.data.size() <= maxPiece_) {
    XChangeProperty(x, requestor, property, transfer.type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(transfer.data.data()),
                    static_cast<int>(transfer.data.size()));
    return true;
  }
  // Too large for one request: the requestor deletes the property for every next piece.
  ErrorTrap trap(x);
  XSelectInput(x, requestor, PropertyChangeMask);
  const long size = static_cast<long>(transfer.data.size());
  XChangeProperty(x, requestor, property, a.incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  if (trap.Failed()) return false;
  transfers_.push_back(std::move(transfer));
  return true;
}

void ClipboardOwner::SendPiece(Transfer& transfer) {
  Display* x = loop_.display().Get();
  const std::size_t piece = IncrPieceSize(transfer.data.size(), transfer.offset, maxPiece_);
  ErrorTrap trap(x);
  XChangeProperty(x, transfer.requestor, transfer.property, transfer.type, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(transfer.data.data() + transfer.offset),
                  static_cast<int>(piece));
  transfer.offset += piece;
  if (piece == 0 || trap.Failed()) transfer.requestor = 0;  // done, or the requestor has gone
}

bool ClipboardOwner::ServeMultiple(Window requestor, Atom property) {
  // The property holds (target, property) pairs; a pair we cannot serve gets None.
  Display* x = loop_.display().Get();
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x, requestor, property, 0, 1024, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success ||
      !data || format != 32) {
    if (data) XFree(data);
    return false;
  }
  std::vector<Atom> pairs(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
  XFree(data);
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
    if (!Serve(requestor, pairs[i + 1], pairs[i])) pairs[i + 1] = None;
  XChangeProperty(x, requestor, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(pairs.data()),
                  static_cast<int>(pairs.size()));
  return true;
}

void ClipboardOwner::Answer(const XSelectionRequestEvent& request) {
  Display* x = loop_.display().Get();
  const Atoms& a = loop_.display().atoms();
  // Obsolete clients name no property: the target is the property then.
  const Atom property = request.property != None ? request.property : request.target;
  bool served = false;
  if (owned_ && request.selection == a.clipboard &&
      (request.time == CurrentTime || request.time >= ownedSince_)) {
    ErrorTrap trap(x);
    served = (request.target == a.multiple ? ServeMultiple(request.requestor, property)
                                           : Serve(request.requestor, property, request.target)) &&
             !trap.Failed();
  }
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.property = served ? property : None;
  reply.xselection.time = request.time;
  ErrorTrap trap(x);
  XSendEvent(x, request.requestor, False, 0, &reply);
  XFlush(x);
}

void ClipboardOwner::OnEvent(XEvent& event) {
  const Atoms& a = loop_.display().atoms();
  switch (event.type) {
    case SelectionRequest:
      Answer(event.xselectionrequest);
      break;
    case SelectionClear:
      // Another program copied something: that is the user's clipboard now.
      if (event.xselectionclear.selection == a.clipboard) owned_ = false;
      break;
    case SelectionNotify:
      if (event.xselection.selection == a.clipboardManager) managerDone_ = true;
      break;
    case PropertyNotify:
      if (event.xproperty.state != PropertyDelete) break;
      for (Transfer& transfer : transfers_)
        if (transfer.requestor == event.xproperty.window &&
            transfer.property == event.xproperty.atom)
          SendPiece(transfer);
      std::erase_if(transfers_, [](const Transfer& t) { return t.requestor == 0; });
      break;
    default:
      break;
  }
}

void ClipboardOwner::HandToManager() {
  Display* x = loop_.display().Get();
  const Atoms& a = loop_.display().atoms();
  if (!owned_ || XGetSelectionOwner(x, a.clipboard) != window_) return;
  if (XGetSelectionOwner(x, a.clipboardManager) == None) return;
  managerDone_ = false;
  XConvertSelection(x, a.clipboardManager, a.saveTargets, a.selectionProperty, window_,
                    loop_.display().LastTime());
  // The manager asks for the targets meanwhile; the loop serves them.
  loop_.RunUntil([this] { return managerDone_; }, 2000);
}

}  // namespace qv
