#include "x11/app/display_errors.h"

#include <cstdio>

#include "linux/base/handler_guard.h"
#include "x11/kit/message_box.h"

namespace qv {

int TellNoDisplay() {
  std::fprintf(stderr, "quorvanel: cannot open the X display (is DISPLAY set?)\n");
  return 1;
}

void TellErrorsInBoxes(EventLoop& loop, const std::string& title) {
  ErrorReporter() = [&loop, title](const std::string& text) {
    ShowMessageBox(loop, title, text, MessageButtons::Ok);
  };
}

}  // namespace qv
