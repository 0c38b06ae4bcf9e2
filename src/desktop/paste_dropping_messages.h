#pragma once
// The message boxes the program opens by itself. A box takes the user's attention from the
// window a paste waits for: once it closes, that paste would type into whatever is in front,
// seconds after the user chose it. Every box therefore drops a paste still waiting.
#include <functional>
#include <string>
#include <utility>

#include "desktop/desktop_services.h"

namespace qv {

class PasteDroppingMessages : public MessageBoxes {
 public:
  PasteDroppingMessages(MessageBoxes& boxes, std::function<void()> dropPaste)
      : boxes_(boxes), dropPaste_(std::move(dropPaste)) {}

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            MessageButtons buttons) override {
    dropPaste_();
    return boxes_.ShowMessage(kind, text, buttons);
  }
  void OpenMailLink(const std::string& address) override { boxes_.OpenMailLink(address); }

 private:
  MessageBoxes& boxes_;
  std::function<void()> dropPaste_;
};

}  // namespace qv
