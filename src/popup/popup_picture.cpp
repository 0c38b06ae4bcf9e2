#include "popup/popup_picture.h"

#include <algorithm>
#include <array>

#include "base/product.h"
#include "desktop/dpi_scale.h"
#include "library/slot_library.h"

namespace qv {

namespace {

constexpr const char* kHeaderCaptions[] = {"+CR", "+cR", ""};

void PaintList(Canvas& canvas, const PopupGeometry& g, const ListPicture& list,
               const WindowRect& inner, bool slots) {
  canvas.Fill(inner, slots ? kListColour : kLabelColour);
  const int rowHeight = g.layout.rowHeight;
  const int end = std::min(list.top + list.visibleRows + 1, list.count);
  for (int row = list.top; row < end; ++row) {
    const WindowRect r{inner.left, inner.top + (row - list.top) * rowHeight, inner.width,
                       rowHeight};
    if (r.top >= inner.top + inner.height) break;
    const bool selected = slots && row == list.selection;
    if (selected) canvas.Fill(r, kHighlight);
    const int indent = slots ? g.layout.rowTextIndent : ScaleForDpi(2, g.dpi);
    const int height = std::min(r.height, inner.top + inner.height - r.top);
    canvas.Text({r.left + indent, r.top, r.width - indent, height}, list.item(row).substr(0, 255),
                FontRole::Text, selected ? kWhite : kNavy, false);
  }
}

}  // namespace

void DrawEdge(FillSurface& surface, const WindowRect& r, bool raised) {
  const Rgb light = kWhite, dark = kShadow;
  surface.Fill({r.left, r.top, r.width, 1}, raised ? light : dark);
  surface.Fill({r.left, r.top, 1, r.height}, raised ? light : dark);
  surface.Fill({r.left, r.top + r.height - 1, r.width, 1}, raised ? dark : light);
  surface.Fill({r.left + r.width - 1, r.top, 1, r.height}, raised ? dark : light);
}

void DrawClipboard(FillSurface& surface, Point at, int dpi) {
  const auto part = [&](int left, int top, int right, int bottom, Rgb colour) {
    const int l = at.x + ScaleForDpi(left, dpi), t = at.y + ScaleForDpi(top, dpi);
    surface.Fill({l, t, at.x + ScaleForDpi(right, dpi) - l, at.y + ScaleForDpi(bottom, dpi) - t},
                 colour);
  };
  part(2, 1, 14, 16, 0x965F28);  // the board
  part(4, 3, 12, 14, kWhite);    // the paper
  for (int line = 6; line <= 12; line += 2) part(5, line, 11, line + 1, 0x0000A0);
  part(5, 0, 11, 3, 0x808080);  // the clip
}

PopupGeometry PopupGeometry::ForDpi(int dpi) {
  PopupGeometry g;
  g.dpi = dpi;
  g.listEdge = ScaleForDpi(2, dpi);
  g.layout = PopupLayoutForDpi(dpi, g.listEdge);
  return g;
}

WindowRect PopupGeometry::ListInner() const {
  const WindowRect& list = layout.slotList;
  return {list.left + listEdge, list.top + listEdge, list.width - 2 * listEdge - ScrollBar().width,
          list.height - 2 * listEdge};
}

WindowRect PopupGeometry::ScrollBar() const {
  const WindowRect& list = layout.slotList;
  const int width = ScaleForDpi(17, dpi);
  return {list.left + list.width - listEdge - width, list.top + listEdge, width,
          list.height - 2 * listEdge};
}

int PopupGeometry::RowAt(const WindowRect& inner, int y, int topRow, int count) const {
  if (y < inner.top) return -1;
  const int row = topRow + (y - inner.top) / layout.rowHeight;
  return row < count ? row : -1;
}

int PopupGeometry::HeaderButtonAt(Point p) const {
  const std::array<WindowRect, 3> buttons{layout.crLfLfButton, layout.crLfButton,
                                          layout.closeButton};
  for (int i = 0; i < 3; ++i)
    if (Contains(buttons[static_cast<std::size_t>(i)], p)) return i;
  return -1;
}

void PaintPopup(Canvas& canvas, const PopupGeometry& g, const PopupPicture& picture) {
  const PopupLayout& layout = g.layout;
  const int dpi = g.dpi;
  const WindowRect panel = layout.panel;
  canvas.Fill(panel, kPanelColour);
  DrawEdge(canvas, panel, true);
  // The banner: the clipboard and the program's name, as the Windows header's picture.
  const WindowRect& banner = layout.banner;
  DrawClipboard(canvas, {banner.left, banner.top}, dpi);
  const int textLeft = banner.left + ScaleForDpi(18, dpi);
  // Up to the header's buttons: the fonts here may run wider than Windows' Arial.
  canvas.Text({textLeft, banner.top, layout.crLfLfButton.left - textLeft, banner.height},
              picture.header.empty() ? QV_PRODUCT_NAME : picture.header, FontRole::Banner, kBlue,
              false);
  const std::array<WindowRect, 3> buttons{layout.crLfLfButton, layout.crLfButton,
                                          layout.closeButton};
  for (int i = 0; i < 3; ++i) {
    WindowRect r = buttons[static_cast<std::size_t>(i)];
    const bool down =
        (i == kCrLfButton && picture.crlfDown) || (i == kCrLfLfButton && picture.crlfLfDown);
    if (down) {
      canvas.Fill(r, colour::kButtonDown);
      DrawEdge(canvas, r, false);
      r.left += 1;
      r.top += 1;
    }
    if (i == picture.focusedButton) {  // the keyboard's place shows
      const WindowRect f{r.left + 2, r.top + 2, r.width - 4, r.height - 4};
      for (const WindowRect& side : {WindowRect{f.left, f.top, f.width, 1},
                                     WindowRect{f.left, f.top + f.height - 1, f.width, 1},
                                     WindowRect{f.left, f.top, 1, f.height},
                                     WindowRect{f.left + f.width - 1, f.top, 1, f.height}})
        canvas.Fill(side, kBlack);
    }
    if (i == kCloseButton) {
      const int left = r.left + (r.width - ScaleForDpi(9, dpi)) / 2 + ScaleForDpi(3, dpi);
      const int top = r.top + (r.height - ScaleForDpi(10, dpi)) / 2;
      canvas.Fill({left, top + ScaleForDpi(4, dpi), ScaleForDpi(8, dpi), ScaleForDpi(2, dpi)},
                  kMaroon);
      continue;
    }
    canvas.Text(r, kHeaderCaptions[i], FontRole::Bold, kMaroon, true);
  }
  const WindowRect& list = layout.slotList;
  canvas.Fill(list, kDarkShadow);
  DrawEdge(canvas, list, false);
  PaintList(canvas, g, picture.slots, g.ListInner(), true);
  const WindowRect bar = g.ScrollBar();
  canvas.Fill(bar, kFaceColour);
  const int range = std::max(picture.slots.count, kPageRows);
  const WindowRect thumb{bar.left + 1, bar.top + bar.height * picture.slots.top / range,
                         bar.width - 2, bar.height * kPageRows / range};
  canvas.Fill(thumb, 0xC8C8C8);
  DrawEdge(canvas, thumb, true);
  PaintList(canvas, g, picture.labels, layout.labelColumn, false);
}

}  // namespace qv
