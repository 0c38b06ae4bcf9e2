#pragma once
// The core's picture drawn by software into a 32-bit pixel buffer (a wl_shm buffer), at an
// integer scale: rectangles filled, text through FreeType with the font fontconfig chooses
// for "sans-serif". Fonts are opened at the first text, so a program that never shows its
// list maps no font.
#include <cstdint>
#include <memory>
#include <string>

#include "popup/popup_picture.h"

namespace qv::wl {

class FontFaces;  // the three faces, kept while the program runs

class SoftCanvas : public Canvas {
 public:
  // `pixels`: width x height, 0xAARRGGBB rows from the top; coordinates given to it are
  // multiplied by `scale`. `sizes`: the pixel heights of the three fonts at scale 1.
  SoftCanvas(std::uint32_t* pixels, int width, int height, int scale, FontFaces& faces)
      : pixels_(pixels), width_(width), height_(height), scale_(scale), faces_(faces) {}
  void Fill(const WindowRect& r, Rgb colour) override;
  void Text(const WindowRect& r, const std::string& utf8, FontRole font, Rgb colour,
            bool centred) override;

 private:
  std::uint32_t* pixels_;
  int width_, height_, scale_;
  FontFaces& faces_;
};

class FontFaces {
 public:
  // Heights in pixels at scale 1 of the text, bold and banner fonts.
  FontFaces(int text, int bold, int banner) : heights_{text, bold, banner} {}
  ~FontFaces();
  FontFaces(const FontFaces&) = delete;
  FontFaces& operator=(const FontFaces&) = delete;
  // The face at `scale`; null when no font can be found.
  struct Face* Get(FontRole role, int scale);

 private:
  int heights_[3];
  void* library_ = nullptr;  // FT_Library
  struct Face* faces_[3] = {};
  int scale_ = 0;
};

}  // namespace qv::wl
