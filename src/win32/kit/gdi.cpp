#include "win32/kit/gdi.h"

#include "win32/base/wide_text.h"

namespace qv {

UniqueFont CreateUiFont(const FontStyle& style, int dpi) {
  return UniqueFont(CreateFontW(FontHeightForDpi(style.points, dpi), 0, 0, 0, style.weight, FALSE,
                                style.underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                Utf8ToWide(style.face).c_str()));
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  UniqueBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.get());
}

}  // namespace qv
