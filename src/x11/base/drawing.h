#pragma once
// Text and flat shapes on a window with Xft, in the colours of the Windows design.
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "base/utf8_text.h"
#include "desktop/controls.h"
#include "desktop/palette.h"

namespace qv {

using Rgb = colour::Rgb;  // 0xRRGGBB
inline constexpr Rgb kFaceColour = 0xF0F0F0;
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

// A font of `pixels` height ("sans-serif" as fontconfig chooses it), opened when first used:
// fontconfig's set-up costs more memory than the rest of a program at rest.
class Font {
 public:
  Font(Display* display, int screen, int pixels, bool bold)
      : display_(display), screen_(screen), pixels_(pixels), bold_(bold) {}
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  XftFont* Get() const;
  int Ascent() const { return Get() ? font_->ascent : 0; }
  int Height() const { return Get() ? font_->ascent + font_->descent : 0; }
  int TextWidth(const std::string& utf8) const;

 private:
  Display* display_;
  int screen_, pixels_;
  bool bold_;
  mutable XftFont* font_ = nullptr;
  mutable bool tried_ = false;
};

// Drawing on one window (or pixmap) while it lives.
class Painter {
 public:
  Painter(Display* display, int screen, Drawable drawable);
  ~Painter();
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Fill(const WindowRect& r, Rgb colour);
  // A one-pixel frame: light top-left and dark bottom-right when raised, else the reverse.
  void Edge(const WindowRect& r, bool raised);
  // Text with its baseline placed so that it is centred in `r` vertically; clipped to `r`.
  void Text(const WindowRect& r, const std::string& utf8, const Font& font, Rgb colour,
            bool centred = false);

 private:
  XftColor* Colour(Rgb rgb);
  XftDraw* Draw();  // made at the first text: shapes need no Xft
  unsigned long Pixel(Rgb rgb) const;

  Display* display_;
  int screen_;
  Drawable drawable_;
  GC gc_;
  XftDraw* draw_ = nullptr;
  XftColor colours_[8]{};
  Rgb colourKeys_[8]{};
  int colourCount_ = 0;
};

// The program's picture, a clipboard, in a 16 x 16 design scaled by `dpi`, its corner at `at`.
void DrawClipboard(Painter& painter, Point at, int dpi);

}  // namespace qv
