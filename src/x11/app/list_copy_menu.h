#pragma once
// The slot list's copy menu ("Copy Clip", "Paste Clip"), which the editor opens with a
// right click on the list while a clip is being edited.
#include <functional>
#include <memory>
#include <vector>

#include "desktop/controls.h"
#include "x11/services/tray_menu_window.h"

namespace qv {

struct CopyMenuItem {
  const char* caption;
  std::function<void()> chosen;  // runs after the menu has closed
};

class ListCopyMenu : public MenuControl {
 public:
  explicit ListCopyMenu(EventLoop& loop) : loop_(loop) {}
  void SetItems(std::vector<CopyMenuItem> items) { items_ = std::move(items); }
  void PopupAt(int x, int y) override {
    if (!window_) window_ = std::make_unique<TrayMenuWindow>(loop_);
    std::vector<const char*> captions;
    for (const CopyMenuItem& item : items_) captions.push_back(item.caption);
    const int chosen = window_->Run({x, y}, std::move(captions));
    if (chosen >= 0) items_[static_cast<std::size_t>(chosen)].chosen();
  }

 private:
  EventLoop& loop_;
  std::vector<CopyMenuItem> items_;
  std::unique_ptr<TrayMenuWindow> window_;
};

}  // namespace qv
