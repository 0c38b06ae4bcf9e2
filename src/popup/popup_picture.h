#pragma once
// The pop-up as it looks, whatever draws it: what goes where in the panel, the header and the
// two lists, and where a point falls. Each front end gives a canvas that fills rectangles
// and writes text; the picture is the same on every one.
#include <cstdint>
#include <functional>
#include <string>

#include "desktop/controls.h"
#include "desktop/palette.h"
#include "popup/popup_layout.h"

namespace qv {

using Rgb = colour::Rgb;  // 0xRRGGBB
inline constexpr Rgb kFaceColour = 0xF0F0F0;
// The design's colours, from the palette.
inline constexpr Rgb kPanelColour = colour::kPanel;
inline constexpr Rgb kListColour = colour::kList;
inline constexpr Rgb kLabelColour = colour::kButton;
inline constexpr Rgb kBlue = colour::kBlue;
inline constexpr Rgb kNavy = colour::kNavy;
inline constexpr Rgb kMaroon = colour::kMaroon;
inline constexpr Rgb kHighlight = 0x0078D7;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kShadow = 0xA0A0A0;
inline constexpr Rgb kDarkShadow = 0x696969;
inline constexpr Rgb kTipColour = 0xFFFFE1;

class FillSurface {
 public:
  virtual ~FillSurface() = default;
  virtual void Fill(const WindowRect& r, Rgb colour) = 0;
};

enum class FontRole { Text, Bold, Banner };

class Canvas : public FillSurface {
 public:
  // Text with its baseline placed so that it is centred in `r` vertically; clipped to `r`.
  virtual void Text(const WindowRect& r, const std::string& utf8, FontRole font, Rgb colour,
                    bool centred) = 0;
};

// A one-pixel frame: light top-left and dark bottom-right when raised, else the reverse.
void DrawEdge(FillSurface& surface, const WindowRect& r, bool raised);
// The program's picture, a clipboard, in a 16 x 16 design scaled by `dpi`, its corner at `at`.
void DrawClipboard(FillSurface& surface, Point at, int dpi);

// One list as it is on screen.
struct ListPicture {
  int count = 0, top = 0, visibleRows = 0, selection = -1;
  std::function<std::string(int row)> item;
};

enum HeaderButtonIndex { kCrLfLfButton = 0, kCrLfButton = 1, kCloseButton = 2 };

// Where the parts are, at the window's dpi.
struct PopupGeometry {
  PopupLayout layout;
  int dpi = 96;
  int listEdge = 2;

  static PopupGeometry ForDpi(int dpi);
  WindowRect ListInner() const;  // the slot list's rows, without border and scroll bar
  WindowRect ScrollBar() const;
  // The row of a list whose rows start at `inner`'s top, -1 off the rows.
  int RowAt(const WindowRect& inner, int y, int topRow, int count) const;
  int HeaderButtonAt(Point p) const;  // -1 off the buttons
};

struct PopupPicture {
  ListPicture slots, labels;
  std::string header;  // a notice not seen yet, or the program's name
  bool crlfDown = false, crlfLfDown = false;
  int focusedButton = -1;  // the header button the keyboard has reached (Tab); -1: none
};

void PaintPopup(Canvas& canvas, const PopupGeometry& geometry, const PopupPicture& picture);

}  // namespace qv
