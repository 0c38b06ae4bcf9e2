#pragma once
// Runs a window's handlers against the logic's plain control state: the controls are read
// before and shown after, and an error is reported once they show what the handler left.
#include <windows.h>

#include <functional>
#include <utility>

#include "app/error_box_win32.h"

namespace qv {

class HandlerRunner {
 public:
  HandlerRunner(std::function<void()> readControls, std::function<void()> showState)
      : read_(std::move(readControls)), show_(std::move(showState)) {}

  // True while a handler runs.
  bool Busy() const { return depth_ > 0; }

  template <typename Handler>
  void Run(HWND owner, Handler&& handler) {
    // A handler can cause others to run inside it (a hidden window deactivates the
    // program); only the outermost reads the controls, or it would undo what the running
    // one changed.
    if (depth_ == 0) read_();
    ++depth_;
    const auto error = RunCatching(std::forward<Handler>(handler));
    --depth_;
    show_();
    if (error) ShowErrorBox(owner, *error);
  }

 private:
  std::function<void()> read_;
  std::function<void()> show_;
  int depth_ = 0;
};

}  // namespace qv
