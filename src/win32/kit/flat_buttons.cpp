#include "win32/kit/flat_buttons.h"

#include <windowsx.h>

#include "desktop/dpi_scale.h"
#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"

namespace qv {

FlatButtons::FlatButtons(std::vector<FlatButtonLayout> layout, int dpi)
    : layout_(std::move(layout)) {
  for (FlatButtonLayout& button : layout_) {
    RECT& r = button.panel;
    r = {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi),
         ScaleForDpi(r.bottom, dpi)};
  }
}

int FlatButtons::At(POINT p) const {
  for (int i = 0; i < static_cast<int>(layout_.size()); ++i)
    if (PtInRect(&layout_[i].panel, p)) return i;
  return -1;
}

int FlatButtons::OnMouse(HWND window, UINT message, LPARAM lParam) {
  const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (message == WM_LBUTTONUP) return Release(window, p);
  Press(window, p);
  return -1;
}

void FlatButtons::Press(HWND window, POINT p) {
  const int button = At(p);
  pressed_ = button >= 0 && enabled(button) ? button : -1;
  if (pressed_ < 0) return;
  SetCapture(window);
  InvalidateRect(window, nullptr, FALSE);
}

int FlatButtons::Release(HWND window, POINT p) {
  const int pressed = pressed_;
  pressed_ = -1;
  if (pressed < 0) return -1;
  ReleaseCapture();
  InvalidateRect(window, nullptr, FALSE);
  return At(p) == pressed ? pressed : -1;
}

void DrawFlatButton(HDC dc, const RECT& r, const char* caption, bool enabled, bool pressed,
                    bool focused) {
  SetBkMode(dc, TRANSPARENT);
  FillSolid(dc, r, Themed(kButtonColour, COLOR_BTNFACE));
  RECT edge = r;
  if (pressed) DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
  // High contrast: a frame shows where the flat button is.
  if (HighContrastOn()) FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNTEXT));
  SetTextColor(dc, enabled ? Themed(kNavy, COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
  RECT text = r;
  DrawTextW(dc, Utf8ToWide(caption).c_str(), -1, &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (focused) {
    RECT focus = r;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

void FlatButtons::Paint(HDC dc) const {
  for (int i = 0; i < static_cast<int>(layout_.size()); ++i)
    DrawFlatButton(dc, layout_[i].panel, layout_[i].caption, enabled(i), pressed_ == i);
}

}  // namespace qv
