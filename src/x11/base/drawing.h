#pragma once
// Text and flat shapes on a window with Xft, in the colours of the Windows design.
#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "base/utf8_text.h"
#include "desktop/controls.h"
#include "popup/popup_picture.h"

namespace qv {

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
class Painter : public FillSurface {
 public:
  Painter(Display* display, int screen, Drawable drawable);
  ~Painter() override;
  Painter(const Painter&) = delete;
  Painter& operator=(const Painter&) = delete;

  void Fill(const WindowRect& r, Rgb colour) override;
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

}  // namespace qv
