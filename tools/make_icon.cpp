// Writes the program's icon file from the tray picture (the clipboard that
// src/win32/kit/pictures.cpp draws), at the sizes Windows asks for. The tray's sizes (16
// to 32 px, 100 to 200 %) are 4-bit bitmaps, which load without a PNG decoder and keep the
// picture's few colours exactly; the larger ones are PNGs (32-bit RGBA, the only kind an icon
// may hold), a fraction of a bitmap's bytes. The same PNG, alone, is the Linux desktop's icon
// at each hicolor size. Built and run on the build machine:
//   make_icon <out.ico>
//   make_icon --png SIZE <out.png>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Colour {
  std::uint8_t r, g, b;
};
// Index 0 is the background: the picture is drawn on the panel colour, opaque.
constexpr Colour kPalette[] = {
    {0xE0, 0xC0, 0x70},  // panel
    {150, 95, 40},       // board
    {255, 255, 255},     // paper
    {0, 0, 160},         // ink
    {128, 128, 128},     // clip
};
constexpr int kPaletteSize = 16;  // a 4-bit bitmap's palette

struct Block {
  int left, top, right, bottom;
  std::uint8_t colour;
};
// The picture on its 16 x 16 grid, in the order it is painted.
constexpr Block kPicture[] = {
    {2, 1, 14, 16, 1},  {4, 3, 12, 14, 2},  {5, 6, 11, 7, 3}, {5, 8, 11, 9, 3},
    {5, 10, 11, 11, 3}, {5, 12, 11, 13, 3}, {5, 0, 11, 3, 4},
};
constexpr int kBitmapSizes[] = {16, 20, 24, 32};
constexpr int kPngSizes[] = {40, 48, 64, 256};

using Bytes = std::vector<std::uint8_t>;
using Image = std::vector<std::uint8_t>;  // a palette index per pixel, rows from the top

void PutLe(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}
void PutBe32(Bytes& out, std::uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Edges of the grid land on whole pixels, rounded half up: at 16 px the tray picture itself.
int ScaleEdge(int edge, int size) {
  return (edge * size + 8) / 16;
}

Image Draw(int size) {
  Image image(static_cast<std::size_t>(size * size), 0);
  for (const Block& b : kPicture)
    for (int y = ScaleEdge(b.top, size); y < ScaleEdge(b.bottom, size); ++y)
      for (int x = ScaleEdge(b.left, size); x < ScaleEdge(b.right, size); ++x)
        image[static_cast<std::size_t>(y * size + x)] = b.colour;
  return image;
}

// BITMAPINFOHEADER, palette, colour rows and an all-opaque mask, rows from the bottom.
Bytes BitmapEntry(const Image& image, int size) {
  const int colourStride = (size * 4 + 31) / 32 * 4;
  const int maskStride = (size + 31) / 32 * 4;
  Bytes out;
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(size), 4);
  PutLe(out, static_cast<std::uint32_t>(2 * size), 4);  // colour rows and mask rows
  PutLe(out, 1, 2);
  PutLe(out, 4, 2);
  PutLe(out, 0, 4);
  PutLe(out, static_cast<std::uint32_t>((colourStride + maskStride) * size), 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  PutLe(out, kPaletteSize, 4);
  PutLe(out, 0, 4);
  for (int i = 0; i < kPaletteSize; ++i) {
    const Colour c = i < static_cast<int>(std::size(kPalette)) ? kPalette[i] : Colour{0, 0, 0};
    out.insert(out.end(), {c.b, c.g, c.r, 0});
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes row(static_cast<std::size_t>(colourStride), 0);
    for (int x = 0; x < size; ++x)
      row[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(
          image[static_cast<std::size_t>(y * size + x)] << (x % 2 ? 0 : 4));
    out.insert(out.end(), row.begin(), row.end());
  }
  out.insert(out.end(), static_cast<std::size_t>(maskStride * size), 0);
  return out;
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t length) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

// Deflate with the fixed codes and no other matches than runs of one byte: the filtered
// rows of a picture made of rectangles are long runs of zeros.
class Deflater {
 public:
  Bytes Compress(const Bytes& data) {
    Bits(1, 1);  // the last block
    Bits(1, 2);  // fixed codes
    for (std::size_t i = 0; i < data.size();) {
      std::size_t run = 0;
      while (i > 0 && i + run < data.size() && run < 258 && data[i + run] == data[i - 1]) ++run;
      if (run >= 3) {
        Length(static_cast<int>(run));
        Code(0, 5);  // distance 1
        i += run;
      } else {
        Symbol(data[i++]);
      }
    }
    Symbol(256);
    if (count_) out_.push_back(static_cast<std::uint8_t>(buffer_));
    return out_;
  }

 private:
  void Bits(std::uint32_t value, int count) {
    buffer_ |= value << count_;
    count_ += count;
    while (count_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  // Huffman codes go out from their first bit.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bits((code >> i) & 1u, 1);
  }
  void Symbol(int symbol) {
    if (symbol < 144) return Code(0x30 + symbol, 8);
    if (symbol < 256) return Code(0x190 + symbol - 144, 9);
    if (symbol < 280) return Code(symbol - 256, 7);
    Code(0xC0 + symbol - 280, 8);
  }
  void Length(int length) {
    static constexpr int kBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static constexpr int kExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int code = static_cast<int>(std::size(kBase)) - 1;
    while (kBase[code] > length) --code;
    Symbol(257 + code);
    Bits(static_cast<std::uint32_t>(length - kBase[code]), kExtra[code]);
  }

  Bytes out_;
  std::uint32_t buffer_ = 0;
  int count_ = 0;
};

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBe32(out, Crc32(out.data() + start, out.size() - start));
}

// An RGBA PNG; each row filtered "up" when it repeats the one above, "sub" otherwise.
Bytes PngEntry(const Image& image, int size) {
  Bytes rows;
  for (int y = 0; y < size; ++y) {
    const auto at = [&](int row, int x) { return image[static_cast<std::size_t>(row * size + x)]; };
    bool repeats = y > 0;
    for (int x = 0; repeats && x < size; ++x) repeats = at(y, x) == at(y - 1, x);
    rows.push_back(repeats ? 2 : 1);
    for (int x = 0; x < size; ++x) {
      const Colour c = kPalette[at(y, x)];
      const Colour left = x > 0 ? kPalette[at(y, x - 1)] : Colour{0, 0, 0};
      const std::uint8_t alphaLeft = x > 0 ? 255 : 0;
      if (repeats) {
        rows.insert(rows.end(), 4, 0);
      } else {
        rows.insert(
            rows.end(),
            {static_cast<std::uint8_t>(c.r - left.r), static_cast<std::uint8_t>(c.g - left.g),
             static_cast<std::uint8_t>(c.b - left.b), static_cast<std::uint8_t>(255 - alphaLeft)});
      }
    }
  }
  Bytes zlib{0x78, 0x01};
  const Bytes deflated = Deflater().Compress(rows);
  zlib.insert(zlib.end(), deflated.begin(), deflated.end());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : rows) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBe32(zlib, (b << 16) | a);

  Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBe32(header, static_cast<std::uint32_t>(size));
  PutBe32(header, static_cast<std::uint32_t>(size));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", zlib);
  PutChunk(out, "IEND", {});
  return out;
}

bool WriteFile(const char* path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (out) return true;
  std::fprintf(stderr, "make_icon: cannot write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--png") {
    const int size = std::atoi(argv[2]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "make_icon: size %s is not 16 to 1024\n", argv[2]);
      return 2;
    }
    return WriteFile(argv[3], PngEntry(Draw(size), size)) ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon <out.ico> | make_icon --png SIZE <out.png>\n");
    return 2;
  }
  struct Entry {
    int size, bitCount;
    Bytes data;
  };
  std::vector<Entry> entries;
  for (int size : kBitmapSizes) entries.push_back({size, 4, BitmapEntry(Draw(size), size)});
  for (int size : kPngSizes) entries.push_back({size, 32, PngEntry(Draw(size), size)});

  Bytes file;
  PutLe(file, 0, 2);
  PutLe(file, 1, 2);  // an icon
  PutLe(file, static_cast<std::uint32_t>(entries.size()), 2);
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const Entry& e : entries) {
    file.push_back(static_cast<std::uint8_t>(e.size % 256));  // 0 means 256
    file.push_back(static_cast<std::uint8_t>(e.size % 256));
    file.push_back(e.bitCount == 4 ? kPaletteSize : 0);
    file.push_back(0);
    PutLe(file, 1, 2);
    PutLe(file, static_cast<std::uint32_t>(e.bitCount), 2);
    PutLe(file, static_cast<std::uint32_t>(e.data.size()), 4);
    PutLe(file, offset, 4);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const Entry& e : entries) file.insert(file.end(), e.data.begin(), e.data.end());
  return WriteFile(argv[1], file) ? 0 : 1;
}
