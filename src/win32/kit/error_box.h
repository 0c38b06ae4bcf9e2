#pragma once
// The standard error box, and the guard that turns a handler's error into one.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "base/app_error.h"

namespace qv {

void SetErrorBoxTitle(std::string title);
void ShowErrorBox(HWND owner, const std::string& message);

// Runs one handler; an error ends it and its message is returned, to be reported once the
// window shows what the handler left (nothing is rolled back). A silent abort ends it too.
template <typename Handler>
std::optional<std::string> RunCatching(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const SilentAbort&) {
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

// Runs one handler and reports its error, as the framework does.
template <typename Handler>
bool RunHandler(HWND owner, Handler&& handler) {
  auto error = RunCatching(std::forward<Handler>(handler));
  if (error) ShowErrorBox(owner, *error);
  return !error;
}

}  // namespace qv
