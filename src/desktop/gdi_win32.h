#pragma once
// Drawing helpers shared by the windows: owned GDI objects and the dialog font.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qv {

// The program's colours.
inline constexpr COLORREF kPanelColour = RGB(0xE0, 0xC0, 0x70);   // panels and dialogs
inline constexpr COLORREF kButtonColour = RGB(0xC0, 0xB0, 0x90);  // button panels, key labels
inline constexpr COLORREF kListColour = RGB(0xFF, 0xFF, 0xCC);
inline constexpr COLORREF kNavy = RGB(0x00, 0x00, 0x80);
inline constexpr COLORREF kMaroon = RGB(0x80, 0x00, 0x00);
inline constexpr COLORREF kYellow = RGB(0xFF, 0xFF, 0x00);
inline constexpr COLORREF kBlue = RGB(0x00, 0x00, 0xFF);

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
