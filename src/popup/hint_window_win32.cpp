#include "popup/hint_window_win32.h"

#include "desktop/gdi_win32.h"
#include "desktop/window_class_win32.h"

namespace qv {

namespace {
constexpr const char* kHintClass = "TQvHintWindow";
constexpr COLORREF kHintColour = RGB(0xFF, 0xFF, 0x00);
constexpr UINT_PTR kHideTimer = 1;
constexpr UINT kHintShowMs = 30000;
constexpr int kMargin = 2;
}  // namespace

HintWindow::~HintWindow() {
  if (window_) DestroyWindow(window_);
}

void HintWindow::ShowAtPointer(const std::string& text) {
  POINT pointer{};
  GetCursorPos(&pointer);
  text_ = text.substr(0, text.find('|'));
  if (text_.empty()) return Hide();
  if (!window_) {
    RegisterWindowClass({kHintClass, WindowProc, nullptr, CS_SAVEBITS});
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kHintClass, "",
                              WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetOwner(window_, this);
  }
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, font_);
  RECT size{0, 0, 600, 0};
  DrawTextA(dc, text_.c_str(), -1, &size, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
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

LRESULT CALLBACK HintWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = OwnerOf<HintWindow>(window);
  switch (message) {
    case WM_PAINT:
      PaintWindow(window, [&](HDC dc) {
        RECT area;
        GetClientRect(window, &area);
        FillSolid(dc, area, kHintColour);
        if (!self) return;
        HGDIOBJ old = SelectObject(dc, self->font_);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        InflateRect(&area, -kMargin, -kMargin);
        DrawTextA(dc, self->text_.c_str(), -1, &area, DT_NOPREFIX | DT_EXPANDTABS);
        SelectObject(dc, old);
      });
      return 0;
    case WM_TIMER:
      if (self) {
        self->Hide();
        if (self->onTimeUp) self->onTimeUp();
      }
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace qv
