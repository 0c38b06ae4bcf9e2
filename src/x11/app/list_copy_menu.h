#pragma once
// The slot list's copy menu ("Copy Clip", "Paste Clip"), which the editor opens with a
// right click on the list while a clip is being edited.
#include <memory>
#include <vector>

#include "desktop/controls.h"
#include "x11/services/tray_menu_window.h"
#include "x11/services/x_tray_icon.h"

namespace qv {

class ListCopyMenu : public MenuControl {
 public:
  explicit ListCopyMenu(EventLoop& loop) : loop_(loop) {}
  void SetItems(std::vector<TrayMenuItem> items) { items_ = std::move(items); }
  void PopupAt(int x, int y) override {
    if (!window_) window_ = std::make_unique<TrayMenuWindow>(loop_);
    const int chosen = window_->Run({x, y}, items_);
    if (chosen >= 0) items_[static_cast<std::size_t>(chosen)].chosen();
  }

 private:
  EventLoop& loop_;
  std::vector<TrayMenuItem> items_;
  std::unique_ptr<TrayMenuWindow> window_;
};

}  // namespace qv
