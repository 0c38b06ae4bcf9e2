#pragma once
// The controls a window draws itself: a list box's state, a toggle button, a timer. A change
// the user would see repaints the window that shows it.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/controls.h"
#include "linux/base/poll_loop.h"

namespace qv {

class ListModel : public ListBoxControl {
 public:
  ListModel(int visibleRows, std::function<void()> changed)
      : visibleRows_(visibleRows), changed_(std::move(changed)) {}

  int Count() const override { return static_cast<int>(items_.size()); }
  void SetItems(const std::vector<std::string>& items) override {
    items_ = items;
    selection_ = -1;
    SetTopRow(top_);
    changed_();
  }
  void SetItem(int index, const std::string& text) override {
    if (index < 0 || index >= Count()) return;
    items_[static_cast<std::size_t>(index)] = text;
    changed_();
  }
  int Selection() const override { return selection_; }
  void Select(int row) override {
    const int selection = row >= 0 && row < Count() ? row : -1;
    if (selection == selection_) return;
    selection_ = selection;
    changed_();
  }
  int TopRow() const override { return top_; }
  void SetTopRow(int row) override {
    const int top = std::clamp(row, 0, std::max(Count() - visibleRows_, 0));
    if (top == top_) return;
    top_ = top;
    changed_();
  }
  int HorizontalExtent() const override { return extent_; }
  void SetHorizontalExtent(int pixels) override { extent_ = pixels; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

  const std::string& Item(int index) const { return items_[static_cast<std::size_t>(index)]; }
  int VisibleRows() const { return visibleRows_; }

 private:
  int visibleRows_;
  std::function<void()> changed_;
  std::vector<std::string> items_;
  int selection_ = -1;
  int top_ = 0;
  int extent_ = 0;
  bool enabled_ = true;
};

class ToggleButton : public ButtonControl {
 public:
  explicit ToggleButton(std::function<void()> changed) : changed_(std::move(changed)) {}
  bool Down() const override { return down_; }
  void SetDown(bool down) override {
    if (down == down_) return;
    down_ = down;
    changed_();
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }

 private:
  std::function<void()> changed_;
  bool down_ = false;
  bool enabled_ = true;
};

class LoopTimer : public TimerControl {
 public:
  LoopTimer(PollLoop& loop, std::function<void()> tick)
      : loop_(loop), id_(loop.AddTimer(std::move(tick))) {}
  int Interval() const override { return loop_.TimerInterval(id_); }
  void SetInterval(int milliseconds) override { loop_.SetTimer(id_, milliseconds); }

 private:
  PollLoop& loop_;
  int id_;
};

}  // namespace qv
