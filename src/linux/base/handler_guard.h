#pragma once
// Runs one handler as the framework does: an error ends it and is reported in the error box
// (captioned with the program's title); a silent abort ends it without a word.
#include <functional>
#include <string>
#include <utility>

#include "base/app_error.h"

namespace qv {

// Set once by the program: shows the error box.
inline std::function<void(const std::string&)>& ErrorReporter() {
  static std::function<void(const std::string&)> reporter;
  return reporter;
}

template <typename Handler>
bool RunHandler(Handler&& handler) noexcept {
  std::string error;
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const SilentAbort&) {
    return false;
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (ErrorReporter()) {
    try {
      ErrorReporter()(ErrorBoxText(error));
    } catch (...) {
    }
  }
  return false;
}

}  // namespace qv
