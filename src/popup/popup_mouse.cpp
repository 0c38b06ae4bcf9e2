#include "popup/popup_mouse.h"

#include <utility>

#include "desktop/dpi_scale.h"
#include "library/slot_library.h"
#include "popup/popup_controller.h"
#include "popup/popup_rules.h"

namespace qv {

namespace {

constexpr int kWheelRows = 3;

}  // namespace

void PopupMouse::Press(MouseButton button, Point p) {
  const WindowRect inner = g_.ListInner();
  const bool inList = Contains(g_.layout.slotList, p);
  const bool inLabels = Contains(g_.layout.labelColumn, p);
  if (button == MouseButton::WheelUp || button == MouseButton::WheelDown) {
    if (inList)
      slotList_.SetTopRow(slotList_.TopRow() +
                          (button == MouseButton::WheelUp ? -kWheelRows : kWheelRows));
    return;
  }
  const bool left = button == MouseButton::Left;
  if (inLabels && left) {
    hint_.Cancelled();
    const int row =
        g_.RowAt(g_.layout.labelColumn, p.y, labelColumn_.TopRow(), labelColumn_.Count());
    if (row < 0) return;
    labelColumn_.Select(row);
    run_([this] { controller_->ListBox7Click(); });
    return;
  }
  if (inList) {
    if (Contains(g_.ScrollBar(), p)) {
      const WindowRect bar = g_.ScrollBar();
      const bool upper = p.y < bar.top + bar.height / 2;
      slotList_.SetTopRow(slotList_.TopRow() + (upper ? -kPageRows : kPageRows));
      return;
    }
    run_([&] { events_->RxCheckListBox1MouseDown(left); });
    if (left && Contains(inner, p)) {
      listPressed_ = true;
      pressedRow_ = g_.RowAt(inner, p.y, slotList_.TopRow(), slotList_.Count());
    }
    return;
  }
  if (left) {
    pressedButton_ = g_.HeaderButtonAt(p);
    if (pressedButton_ >= 0) return;
  }
  run_([&] { controller_->PanelMouseDown(p.x, p.y); });
}

void PopupMouse::Release(MouseButton button, Point p) {
  const bool left = button == MouseButton::Left;
  if (left && listPressed_) {
    listPressed_ = false;
    const WindowRect inner = g_.ListInner();
    const int row =
        Contains(inner, p) ? g_.RowAt(inner, p.y, slotList_.TopRow(), slotList_.Count()) : -1;
    const int pressed = std::exchange(pressedRow_, -1);
    // A release over the row pressed chooses it, as the list box's click does.
    if (row >= 0 && row == pressed) {
      slotList_.Select(row);
      run_([this] { controller_->RxCheckListBox1Click(); });
    }
    run_([this] { events_->RxCheckListBox1MouseUp(false); });
    return;
  }
  if (button == MouseButton::Right && Contains(g_.layout.slotList, p)) {
    run_([this] { events_->RxCheckListBox1MouseUp(true); });
    return;
  }
  if (!left) return;
  const int pressed = std::exchange(pressedButton_, -1);
  if (pressed >= 0 && g_.HeaderButtonAt(p) == pressed) PressHeaderButton(pressed);
}

void PopupMouse::PressHeaderButton(int button) {
  if (button == kCloseButton) {
    run_([this] { controller_->SpeedButton8Click(); });
    return;
  }
  run_([&] {
    controller_->SuffixButtonClick(button == kCrLfButton ? SuffixButton::CrLf
                                                         : SuffixButton::CrLfLf);
  });
}

void PopupMouse::Move(Point p, bool leftAlone) {
  const bool overLabels = Contains(g_.layout.labelColumn, p);
  if (overLabels) hint_.PointerMoved();
  if (!overLabels && pointerOverLabels_) hint_.Cancelled();
  pointerOverLabels_ = overLabels;
  if (pressedButton_ >= 0 || listPressed_ || !leftAlone) return;
  run_([&] { controller_->PanelMouseMove(p.x, p.y, leftAlone); });
}

void PopupMouse::Left() {
  if (pointerOverLabels_) hint_.Cancelled();
  pointerOverLabels_ = false;
}

void PopupMouse::Reset() {
  pressedButton_ = pressedRow_ = -1;
  listPressed_ = false;
}

}  // namespace qv
