#include "win32/kit/gdi.h"

#include "win32/base/wide_text.h"

namespace qv {

UniqueFont CreateUiFont(const FontStyle& style, int dpi) {
  return UniqueFont(CreateFontW(FontHeightForDpi(style.points, dpi), 0, 0, 0, style.weight, FALSE,
                                style.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                Utf8ToWide(style.face).c_str()));
}

bool HighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

COLORREF Themed(COLORREF design, int systemIndex) {
  return HighContrastOn() ? GetSysColor(systemIndex) : design;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

}  // namespace qv
