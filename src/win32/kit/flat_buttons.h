#pragma once
// Flat buttons drawn on their panels in a dialog's client area and clicked with the left
// button: a press is shown sunken, a release over the same button clicks it.
#include <windows.h>

#include <functional>
#include <vector>

namespace qv {

// One flat button at `r`, with the dialog's font selected into `dc`: navy on the button
// colour, sunken while pressed, grey when disabled, framed when it has the keyboard.
void DrawFlatButton(HDC dc, const RECT& r, const char* caption, bool enabled, bool pressed,
                    bool focused = false);

struct FlatButtonLayout {
  RECT panel;
  const char* caption;
};

class FlatButtons {
 public:
  // Panels in 96-dpi pixels, placed at `dpi`.
  FlatButtons(std::vector<FlatButtonLayout> layout, int dpi);

  // Whether button `index` takes clicks; a disabled one is drawn grey.
  std::function<bool(int index)> enabled = [](int) { return true; };

  // WM_LBUTTONDOWN and WM_LBUTTONUP at `lParam`: the button clicked, or -1.
  int OnMouse(HWND window, UINT message, LPARAM lParam);
  void Paint(HDC dc) const;  // with the font selected into `dc`

 private:
  int At(POINT p) const;
  void Press(HWND window, POINT p);
  int Release(HWND window, POINT p);

  std::vector<FlatButtonLayout> layout_;
  int pressed_ = -1;
};

}  // namespace qv
