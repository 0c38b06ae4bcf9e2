#include "win32/app/application_window.h"

#include "desktop/window_names.h"
#include "win32/base/wide_text.h"

namespace qv {

ApplicationWindow::ApplicationWindow(const std::string& title) {
  SetErrorBoxTitle(title);
  CreateWindowFrom({.className = kApplicationClass,
                    .caption = title.c_str(),
                    .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX},
                   nullptr);
}

std::string ExecutablePath() {
  // Grown until the whole path fits: a folder may be deeper than MAX_PATH.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return WideToUtf8(std::wstring_view(path.data(), length));
    path.resize(path.size() * 2);
  }
}

}  // namespace qv
