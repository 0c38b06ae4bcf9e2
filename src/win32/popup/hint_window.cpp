#include "win32/popup/hint_window.h"

#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"

namespace qv {

namespace {
constexpr WindowLayout kHintLayout{.className = "TQvHintWindow",
                                   .style = WS_POPUP | WS_BORDER,
                                   .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                   .classStyle = CS_SAVEBITS};
constexpr COLORREF kHintColour = RGB(0xFF, 0xFF, 0x00);
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHintShowMs = 30000;
constexpr int kMargin = 2;
}  // namespace

void HintWindow::ShowAtPointer(const std::string& text) {
  POINT pointer{};
  GetCursorPos(&pointer);
  text_ = Utf8ToWide(std::string_view(text).substr(0, text.find('|')));
  if (text_.empty()) return Hide();
  if (!window_) CreateWindowFrom(kHintLayout, nullptr);
  RECT size{0, 0, 600, 0};
  {
    const WindowDc dc(window_);
    const SelectedObject font(dc.Dc(), font_);
    DrawTextW(dc.Dc(), text_.c_str(), -1, &size, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  }
  const int width = size.right + 2 * kMargin + 2;
  const int height = size.bottom + 2 * kMargin + 2;
  SetWindowPos(window_, HWND_TOPMOST, pointer.x, pointer.y + 20, width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(window_, nullptr, TRUE);
  SetTimer(window_, kHideTimer, kHintShowMs, nullptr);
}

void HintWindow::Hide() {
  if (window_ && IsWindowVisible(window_)) {
    KillTimer(window_, kHideTimer);
    ShowWindow(window_, SW_HIDE);
  }
}

void HintWindow::Paint(HDC dc) {
  RECT area;
  GetClientRect(window_, &area);
  FillSolid(dc, area, kHintColour);
  const SelectedObject font(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  InflateRect(&area, -kMargin, -kMargin);
  DrawTextW(dc, text_.c_str(), -1, &area, DT_NOPREFIX | DT_EXPANDTABS);
}

LRESULT HintWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      Hide();
      if (onTimeUp) onTimeUp();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return WindowBase::OnMessage(message, wParam, lParam);
  }
}

}  // namespace qv
