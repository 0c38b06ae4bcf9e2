#include "win32/kit/error_box.h"

#include "base/product.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {
std::string& Title() {
  static std::string title = QV_SHORT_NAME;
  return title;
}
}  // namespace

void SetErrorBoxTitle(std::string title) {
  Title() = std::move(title);
}

namespace {

// A shown window of the program, one that stays on top first (the settings dialog).
HWND ShownWindowOfProgram() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        if (!IsWindowVisible(window)) return TRUE;
        auto& found = *reinterpret_cast<HWND*>(result);
        found = window;
        return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? FALSE : TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

void ShowErrorBox(HWND owner, const std::string& message) {
  // The box belongs to a shown window of the program, so that it stays above it (the
  // settings dialog stays on top); a hidden owner would be activated when the box closes.
  if (!owner || !IsWindowVisible(owner)) owner = ShownWindowOfProgram();
  MessageBoxW(owner, Utf8ToWide(ErrorBoxText(message)).c_str(), Utf8ToWide(Title()).c_str(),
              MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_TOPMOST);
}

}  // namespace qv
