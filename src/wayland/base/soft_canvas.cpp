#include "wayland/base/soft_canvas.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>

namespace qv::wl {

struct Face {
  FT_Face face = nullptr;
  int ascent = 0, height = 0;
};

namespace {

// The next code point of UTF-8 text; a byte outside a sequence is its Latin-1 letter.
std::uint32_t NextCodePoint(const std::string& s, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char b = byte(i);
  int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
  if (length <= 1 || i + static_cast<std::size_t>(length) > s.size()) {
    ++i;
    return b;
  }
  std::uint32_t cp = b & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(i + static_cast<std::size_t>(k)) & 0xC0) != 0x80) {
      ++i;
      return b;
    }
    cp = (cp << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
  }
  i += static_cast<std::size_t>(length);
  return cp;
}

std::string FontFile(bool bold) {
  FcInit();
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_MEDIUM);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string path;
  FcChar8* file = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
    path = reinterpret_cast<const char*>(file);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return path;
}

}  // namespace

FontFaces::~FontFaces() {
  for (Face* f : faces_) {
    if (f && f->face) FT_Done_Face(f->face);
    delete f;
  }
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

Face* FontFaces::Get(FontRole role, int scale) {
  const int index = static_cast<int>(role);
  if (scale != scale_) {
    for (Face*& f : faces_) {
      if (f && f->face) FT_Done_Face(f->face);
      delete f;
      f = nullptr;
    }
    scale_ = scale;
  }
  if (faces_[index]) return faces_[index]->face ? faces_[index] : nullptr;
  faces_[index] = new Face;
  if (!library_) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return nullptr;
    library_ = library;
  }
  const std::string file = FontFile(role != FontRole::Text);
  FT_Face face = nullptr;
  if (file.empty() || FT_New_Face(static_cast<FT_Library>(library_), file.c_str(), 0, &face) != 0)
    return nullptr;
  FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(heights_[index], 6) * scale));
  faces_[index]->face = face;
  faces_[index]->ascent = static_cast<int>(face->size->metrics.ascender >> 6);
  faces_[index]->height =
      static_cast<int>((face->size->metrics.ascender - face->size->metrics.descender) >> 6);
  return faces_[index];
}

void SoftCanvas::Fill(const WindowRect& r, Rgb colour) {
  const int left = std::max(r.left * scale_, 0), top = std::max(r.top * scale_, 0);
  const int right = std::min((r.left + r.width) * scale_, width_);
  const int bottom = std::min((r.top + r.height) * scale_, height_);
  for (int y = top; y < bottom; ++y)
    std::fill(pixels_ + y * width_ + left, pixels_ + y * width_ + std::max(right, left),
              0xFF000000u | colour);
}

void SoftCanvas::Text(const WindowRect& r, const std::string& utf8, FontRole font, Rgb colour,
                      bool centred) {
  Face* f = faces_.Get(font, scale_);
  if (!f || utf8.empty()) return;
  FT_Face face = f->face;
  const int clipLeft = std::max(r.left * scale_, 0), clipTop = std::max(r.top * scale_, 0);
  const int clipRight = std::min((r.left + r.width) * scale_, width_);
  const int clipBottom = std::min((r.top + r.height) * scale_, height_);
  int x = r.left * scale_;
  if (centred) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
      if (FT_Load_Char(face, NextCodePoint(utf8, i), FT_LOAD_DEFAULT) == 0)
        width += static_cast<int>(face->glyph->advance.x >> 6);
    }
    x += (r.width * scale_ - width) / 2;
  }
  const int baseline = r.top * scale_ + (r.height * scale_ - f->height) / 2 + f->ascent;
  for (std::size_t i = 0; i < utf8.size() && x < clipRight;) {
    const std::uint32_t cp = NextCodePoint(utf8, i);
    if (cp == 0 || FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bitmap = g->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const int y = baseline - g->bitmap_top + static_cast<int>(row);
      if (y < clipTop || y >= clipBottom) continue;
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const int px = x + g->bitmap_left + static_cast<int>(column);
        if (px < clipLeft || px >= clipRight) continue;
        const unsigned alpha = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
        if (alpha == 0) continue;
        std::uint32_t& pixel = pixels_[y * width_ + px];
        std::uint32_t blended = 0xFF000000u;
        for (int shift = 0; shift <= 16; shift += 8) {
          const unsigned under = (pixel >> shift) & 0xFF, over = (colour >> shift) & 0xFF;
          blended |= ((over * alpha + under * (255 - alpha)) / 255) << shift;
        }
        pixel = blended;
      }
    }
    x += static_cast<int>(g->advance.x >> 6);
  }
}

}  // namespace qv::wl
