#pragma once
// Every pixel number of the layouts is a 96-dpi number. At another dpi it is scaled here,
// rounded as Windows rounds, so that at 96 dpi every pixel stays where it is.
#include "desktop/controls.h"

namespace qv {

inline constexpr int kDesignDpi = 96;

// number * numerator / denominator to the nearest integer, halves away from zero, as
// Windows' MulDiv; -1 when the denominator is 0 or the result does not fit an int.
int MulDivRounded(int number, int numerator, int denominator);

int ScaleForDpi(int designPixels, int dpi);
// Offsets scale alike to both sides: -5 and 5 stay mirror images.
Point ScaleForDpi(Point design, int dpi);
// The edges are scaled, not the sizes: rectangles that touch at 96 dpi still touch, and
// none overlaps its neighbour.
WindowRect ScaleForDpi(const WindowRect& design, int dpi);

// The character height CreateFont takes (negative) for a font of `points` points; 8 pt is
// -11 at 96 dpi.
int FontHeightForDpi(int points, int dpi);

// Windows' hit test: the left and top edges are inside, the right and bottom ones outside.
bool Contains(const WindowRect& r, Point p);

}  // namespace qv
