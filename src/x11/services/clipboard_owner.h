#pragma once
// The program's clip on the CLIPBOARD selection: owned from a server timestamp, served to
// every program that asks in the text targets X programs use, a large clip in pieces (INCR),
// and handed to a clipboard manager when the program ends.
#include <X11/Xlib.h>

#include <cstddef>
#include <string>
#include <vector>

#include "x11/base/event_loop.h"

namespace qv {

// The next piece of an INCR transfer of `size` bytes from `offset`: at most `chunk` bytes;
// 0 once everything has gone (the empty piece that ends the transfer).
inline std::size_t IncrPieceSize(std::size_t size, std::size_t offset, std::size_t chunk) {
  return offset >= size ? 0 : (size - offset < chunk ? size - offset : chunk);
}

class ClipboardOwner {
 public:
  explicit ClipboardOwner(EventLoop& loop);
  ~ClipboardOwner();
  ClipboardOwner(const ClipboardOwner&) = delete;
  ClipboardOwner& operator=(const ClipboardOwner&) = delete;

  // False when the server gave the selection to another program at once.
  bool Own(const std::string& text);
  // At the end: a clipboard manager that runs takes a copy, so the clip outlives us.
  void HandToManager();

 private:
  // A clip may be a password: offered with the hint clipboard managers honour, so that none
  // keeps it in its history.
  Atom passwordHint_ = None;
  struct Transfer {
    Window requestor;
    Atom property;
    Atom type;
    std::string data;
    std::size_t offset = 0;
  };
  void OnEvent(XEvent& event);
  void Answer(const XSelectionRequestEvent& request);
  // Puts `target` of the clip on the requestor's property; false when it is no target we have.
  bool Serve(Window requestor, Atom property, Atom target);
  // MULTIPLE: several targets in one request, as clipboard managers ask.
  bool ServeMultiple(Window requestor, Atom property);
  void SendPiece(Transfer& transfer);

  EventLoop& loop_;
  Window window_ = 0;
  std::string text_;
  Time ownedSince_ = CurrentTime;
  bool owned_ = false;
  bool managerDone_ = false;
  std::size_t maxPiece_ = 0;
  std::vector<Transfer> transfers_;
};

}  // namespace qv
