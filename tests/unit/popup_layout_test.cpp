// The pop-up's layout at 96, 120, 144 and 192 dpi.
#include "popup/popup_layout.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

int Right(const WindowRect& r) {
  return r.left + r.width;
}

TEST(PopupLayout, At96DpiEveryPixelStaysWhereItIs) {
  const PopupLayout l = PopupLayoutForDpi(96, 2);
  const WindowRect expected[] = {{0, 0, 249, 496}, {8, 18, 233, 473}, {10, 20, 15, 470},
                                 {163, 2, 29, 16}, {192, 2, 29, 16},  {221, 3, 25, 14}};
  const WindowRect actual[] = {l.panel,        l.slotList,   l.labelColumn,
                               l.crLfLfButton, l.crLfButton, l.closeButton};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(actual[i].left, expected[i].left) << i;
    EXPECT_EQ(actual[i].top, expected[i].top) << i;
    EXPECT_EQ(actual[i].width, expected[i].width) << i;
    EXPECT_EQ(actual[i].height, expected[i].height) << i;
  }
  EXPECT_EQ(l.rowHeight, 13);
  EXPECT_EQ(l.fontHeight, -11);
  EXPECT_EQ(l.pointerOffset.x, 246);
  EXPECT_EQ(l.pointerOffset.y, 100);
}

// Rounding each number alone gives 35 rows at 144 dpi (rows of 19.5 -> 20 px in a list of
// 473 -> 710 px): the second page's last row could not be reached. The height follows the
// rounded rows instead (36 x 20 px at 144 dpi).
TEST(PopupLayout, AtEveryScaleAPageIs36WholeRowsAndTheLabelsLieOnThem) {
  const int cases[][4] = {{120, 2, 311, 610}, {144, 3, 374, 763}, {192, 4, 498, 992}};
  for (const auto& [dpi, edge, width, height] : cases) {
    const PopupLayout l = PopupLayoutForDpi(dpi, edge);
    const int listClient = l.slotList.height - 2 * edge;
    EXPECT_EQ(listClient / l.rowHeight, kRowsPerPage) << dpi;
    EXPECT_EQ(l.labelColumn.height / l.rowHeight, kRowsPerPage) << dpi;
    EXPECT_EQ(l.labelColumn.left, l.slotList.left + edge) << dpi;
    EXPECT_EQ(l.labelColumn.top, l.slotList.top + edge) << dpi;
    EXPECT_EQ(l.panel.width, width);
    EXPECT_EQ(l.panel.height, height);
    // The header's buttons still touch; the pointer lands beside the list, on the panel.
    EXPECT_EQ(Right(l.crLfLfButton), l.crLfButton.left) << dpi;
    EXPECT_EQ(Right(l.crLfButton), l.closeButton.left) << dpi;
    EXPECT_GT(l.pointerOffset.x, Right(l.slotList)) << dpi;
    EXPECT_LT(l.pointerOffset.x, l.panel.width) << dpi;
  }
}

}  // namespace
}  // namespace qv
