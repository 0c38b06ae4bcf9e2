#pragma once
// Drawing helpers shared by the windows: owned GDI objects and the dialog font.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qv {

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct FontStyle {
  int height = -11;  // 8 pt
  int weight = FW_NORMAL;
  bool underline = false;
  const char* face = "MS Sans Serif";
};
UniqueFont CreateUiFont(const FontStyle& style = {});

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

}  // namespace qv
