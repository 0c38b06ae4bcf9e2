#include "popup/popup_layout.h"

#include "desktop/dpi_scale.h"

namespace qv {

namespace {

constexpr int kRowHeight = 13;
constexpr int kFontPoints = 8;
// Below the page's rows the list's client area keeps 1 px (469 = 36 x 13 + 1), and the
// label column reaches 1 px further.
constexpr int kSpareBelowRows = 1;

}  // namespace

PopupLayout PopupLayoutForDpi(int dpi, int listEdge) {
  const auto scaled = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };
  PopupLayout layout;
  layout.rowHeight = scaled(kRowHeight);
  layout.rowTextIndent = scaled(20);
  layout.fontHeight = FontHeightForDpi(kFontPoints, dpi);
  layout.banner = ScaleForDpi(WindowRect{4, 1, 114, 16}, dpi);
  layout.crLfLfButton = ScaleForDpi(WindowRect{163, 2, 29, 16}, dpi);
  layout.crLfButton = ScaleForDpi(WindowRect{192, 2, 29, 16}, dpi);
  layout.closeButton = ScaleForDpi(WindowRect{221, 3, 25, 14}, dpi);

  const int page = kPageRows * layout.rowHeight + scaled(kSpareBelowRows);
  layout.slotList = ScaleForDpi(WindowRect{8, 18, 233, 0}, dpi);
  layout.slotList.height = page + 2 * listEdge;
  layout.labelColumn = {layout.slotList.left + listEdge, layout.slotList.top + listEdge, scaled(15),
                        page + scaled(kSpareBelowRows)};
  const int listBottom = layout.slotList.top + layout.slotList.height;
  layout.panel = {0, 0, scaled(249), listBottom + scaled(5)};
  layout.pointerOffset = {layout.panel.width - scaled(3), scaled(100)};
  return layout;
}

}  // namespace qv
