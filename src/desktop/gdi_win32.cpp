#include "desktop/gdi_win32.h"

namespace qv {

UniqueFont CreateUiFont(const FontStyle& style) {
  return UniqueFont(CreateFontA(style.height, 0, 0, 0, style.weight, FALSE, style.underline, FALSE,
                                ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, style.face));
}

// An opaque empty text fills the rectangle with the background colour: the same pixels as
// a brush, without making and deleting one for every fill.
void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);
  SetBkColor(dc, old);
}

}  // namespace qv
