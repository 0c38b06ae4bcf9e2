#pragma once
// Drawing helpers shared by the windows: owned GDI objects and the dialog font.
#include <windows.h>

#include <memory>
#include <type_traits>

#include "desktop/dpi_scale.h"
#include "desktop/palette.h"

namespace qv {

// A colour of the palette as GDI takes it.
constexpr COLORREF ColourOf(colour::Rgb rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
inline constexpr COLORREF kPanelColour = ColourOf(colour::kPanel);
inline constexpr COLORREF kButtonColour = ColourOf(colour::kButton);
inline constexpr COLORREF kListColour = ColourOf(colour::kList);
inline constexpr COLORREF kNavy = ColourOf(colour::kNavy);
inline constexpr COLORREF kMaroon = ColourOf(colour::kMaroon);
inline constexpr COLORREF kYellow = ColourOf(colour::kYellow);
inline constexpr COLORREF kBlue = ColourOf(colour::kBlue);

// A place from a layout table, as GDI's rectangle.
constexpr RECT RectOf(const WindowRect& r) {
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

struct FontStyle {
  int points = 8;
  int weight = FW_NORMAL;
  bool underline = false;
  // The TrueType twin of the designed "MS Sans Serif", with its metrics: it scales smoothly,
  // and font linking draws the characters of other scripts.
  const char* face = "Microsoft Sans Serif";
};
UniqueFont CreateUiFont(const FontStyle& style = {}, int dpi = kDesignDpi);

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);

// Whether a high-contrast theme is on: the windows then draw in the system's colours.
bool HighContrastOn();
// The design's colour, or the system colour `systemIndex` (COLOR_BTNFACE, ...) while a
// high-contrast theme is on.
COLORREF Themed(COLORREF design, int systemIndex);

// The device contexts of a paint, of a window and in memory, given back when they go.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintScope() { EndPaint(window_, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~MemoryDc() { DeleteDC(dc_); }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a device context; the one before comes back when it goes.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, previous_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace qv
