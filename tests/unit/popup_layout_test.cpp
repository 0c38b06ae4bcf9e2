// The pop-up's layout at 96, 120, 144 and 192 dpi.
#include "popup/popup_layout.h"

#include <gtest/gtest.h>

#include <array>

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
  const auto edges = [](const WindowRect& r) {
    return std::array{r.left, r.top, r.width, r.height};
  };
  for (int i = 0; i < 6; ++i) EXPECT_EQ(edges(actual[i]), edges(expected[i])) << i;
  EXPECT_EQ((std::array{l.rowHeight, l.fontHeight, l.pointerOffset.x, l.pointerOffset.y}),
            (std::array{13, -11, 246, 100}));
}

// Rounding each number alone gives 35 rows at 144 dpi (rows of 19.5 -> 20 px in a list of
// 473 -> 710 px): the second page's last row could not be reached. The height follows the
// rounded rows instead (36 x 20 px at 144 dpi).
TEST(PopupLayout, AtEveryScaleAPageIs36WholeRowsAndTheLabelsLieOnThem) {
  const int cases[][4] = {{120, 2, 311, 610}, {144, 3, 374, 763}, {192, 4, 498, 992}};
  for (const auto& [dpi, edge, width, height] : cases) {
    const PopupLayout l = PopupLayoutForDpi(dpi, edge);
    const int listClient = l.slotList.height - 2 * edge;
    EXPECT_EQ(listClient / l.rowHeight, kPageRows) << dpi;
    EXPECT_EQ(l.labelColumn.height / l.rowHeight, kPageRows) << dpi;
    EXPECT_EQ((std::array{l.labelColumn.left, l.labelColumn.top, l.panel.width, l.panel.height}),
              (std::array{l.slotList.left + edge, l.slotList.top + edge, width, height}));
    // The header's buttons still touch; the pointer lands beside the list, on the panel.
    EXPECT_EQ((std::array{Right(l.crLfLfButton), Right(l.crLfButton)}),
              (std::array{l.crLfButton.left, l.closeButton.left}));
    EXPECT_GT(l.pointerOffset.x, Right(l.slotList)) << dpi;
    EXPECT_LT(l.pointerOffset.x, l.panel.width) << dpi;
  }
}

}  // namespace
}  // namespace qv
