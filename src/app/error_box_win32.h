#pragma once
// The standard error box, and the guard that turns a handler's error into one.
#include <windows.h>

#include <string>
#include <utility>

#include "app/app_error.h"

namespace qv {

void SetErrorBoxTitle(std::string title);
void ShowErrorBox(HWND owner, const std::string& message);

// Runs one handler; an error ends it and is reported, as the framework does.
template <typename Handler>
bool RunHandler(HWND owner, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
    return true;
  } catch (const AppError& e) {
    ShowErrorBox(owner, e.what());
  } catch (const std::exception& e) {
    ShowErrorBox(owner, e.what());
  }
  return false;
}

}  // namespace qv
