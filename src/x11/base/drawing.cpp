#include "x11/base/drawing.h"

#include <algorithm>

#include "desktop/dpi_scale.h"

namespace qv {

namespace {

XRenderColor RenderColour(Rgb rgb) {
  const auto channel = [](unsigned value) {
    return static_cast<unsigned short>((value & 0xFF) * 0x101);
  };
  return {channel(rgb >> 16), channel(rgb >> 8), channel(rgb), 0xFFFF};
}

}  // namespace

XftFont* Font::Get() const {
  if (!tried_) {
    tried_ = true;
    font_ = XftFontOpen(display_, screen_, XFT_FAMILY, XftTypeString, "sans-serif", XFT_PIXEL_SIZE,
                        XftTypeDouble, static_cast<double>(std::max(pixels_, 6)), XFT_WEIGHT,
                        XftTypeInteger, bold_ ? XFT_WEIGHT_BOLD : XFT_WEIGHT_MEDIUM, nullptr);
  }
  return font_;
}

Font::~Font() {
  if (font_) XftFontClose(display_, font_);
}

int Font::TextWidth(const std::string& utf8) const {
  if (utf8.empty() || !Get()) return 0;
  XGlyphInfo extents{};
  XftTextExtentsUtf8(display_, font_, reinterpret_cast<const FcChar8*>(utf8.data()),
                     static_cast<int>(utf8.size()), &extents);
  return extents.xOff;
}

Painter::Painter(Display* display, int screen, Drawable drawable)
    : display_(display), screen_(screen), drawable_(drawable) {
  gc_ = XCreateGC(display, drawable, 0, nullptr);
}

XftDraw* Painter::Draw() {
  if (!draw_)
    draw_ = XftDrawCreate(display_, drawable_, DefaultVisual(display_, screen_),
                          DefaultColormap(display_, screen_));
  return draw_;
}

// The pixel of a colour on a true-colour screen (every screen X servers give today); on any
// other, the colour map's nearest.
unsigned long Painter::Pixel(Rgb rgb) const {
  const Visual* visual = DefaultVisual(display_, screen_);
  const auto place = [rgb](unsigned long mask, int shift) {
    unsigned long value = (rgb >> shift) & 0xFF;
    int top = 0;
    while (top < 64 && !(mask & (1ul << top))) ++top;
    int bits = 0;
    while (top + bits < 64 && (mask & (1ul << (top + bits)))) ++bits;
    return bits >= 8 ? (value << (top + bits - 8)) & mask : (value >> (8 - bits)) << top;
  };
  if (visual->c_class == TrueColor)
    return place(visual->red_mask, 16) | place(visual->green_mask, 8) | place(visual->blue_mask, 0);
  XColor colour{};
  colour.red = static_cast<unsigned short>(((rgb >> 16) & 0xFF) * 0x101);
  colour.green = static_cast<unsigned short>(((rgb >> 8) & 0xFF) * 0x101);
  colour.blue = static_cast<unsigned short>((rgb & 0xFF) * 0x101);
  XAllocColor(display_, DefaultColormap(display_, screen_), &colour);
  return colour.pixel;
}

Painter::~Painter() {
  for (int i = 0; i < colourCount_; ++i)
    XftColorFree(display_, DefaultVisual(display_, screen_), DefaultColormap(display_, screen_),
                 &colours_[i]);
  if (draw_) XftDrawDestroy(draw_);
  XFreeGC(display_, gc_);
}

XftColor* Painter::Colour(Rgb rgb) {
  for (int i = 0; i < colourCount_; ++i)
    if (colourKeys_[i] == rgb) return &colours_[i];
  if (colourCount_ == 8) return &colours_[0];
  const XRenderColor render = RenderColour(rgb);
  XftColorAllocValue(display_, DefaultVisual(display_, screen_), DefaultColormap(display_, screen_),
                     &render, &colours_[colourCount_]);
  colourKeys_[colourCount_] = rgb;
  return &colours_[colourCount_++];
}

void Painter::Fill(const WindowRect& r, Rgb colour) {
  if (r.width <= 0 || r.height <= 0) return;
  XSetForeground(display_, gc_, Pixel(colour));
  XFillRectangle(display_, drawable_, gc_, r.left, r.top, static_cast<unsigned>(r.width),
                 static_cast<unsigned>(r.height));
}

void Painter::Edge(const WindowRect& r, bool raised) {
  const Rgb light = kWhite, dark = kShadow;
  Fill({r.left, r.top, r.width, 1}, raised ? light : dark);
  Fill({r.left, r.top, 1, r.height}, raised ? light : dark);
  Fill({r.left, r.top + r.height - 1, r.width, 1}, raised ? dark : light);
  Fill({r.left + r.width - 1, r.top, 1, r.height}, raised ? dark : light);
}

void Painter::Text(const WindowRect& r, const std::string& utf8, const Font& font, Rgb colour,
                   bool centred) {
  if (!font.Get() || utf8.empty()) return;
  XRectangle clip{static_cast<short>(r.left), static_cast<short>(r.top),
                  static_cast<unsigned short>(std::max(r.width, 0)),
                  static_cast<unsigned short>(std::max(r.height, 0))};
  XftDraw* draw = Draw();
  XftDrawSetClipRectangles(draw, 0, 0, &clip, 1);
  int x = r.left;
  if (centred) x += (r.width - font.TextWidth(utf8)) / 2;
  const int y = r.top + (r.height - font.Height()) / 2 + font.Ascent();
  XftDrawStringUtf8(draw, Colour(colour), font.Get(), x, y,
                    reinterpret_cast<const FcChar8*>(utf8.data()), static_cast<int>(utf8.size()));
  XftDrawSetClip(draw, nullptr);
}

}  // namespace qv
