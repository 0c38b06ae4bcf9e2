#include "app/error_box_win32.h"

namespace qv {

namespace {
std::string& Title() {
  static std::string title = "Quorvanel";
  return title;
}
}  // namespace

void SetErrorBoxTitle(std::string title) {
  Title() = std::move(title);
}

void ShowErrorBox(HWND owner, const std::string& message) {
  // A hidden owner would be activated when the box closes; such a box has none.
  if (owner && !IsWindowVisible(owner)) owner = nullptr;
  MessageBoxA(owner, ErrorBoxText(message).c_str(), Title().c_str(),
              MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

}  // namespace qv
