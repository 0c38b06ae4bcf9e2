#pragma once
// The slot list's copy menu on X, drawn as the tray menu is.
#include <memory>
#include <vector>

#include "linux/kit/copy_menu.h"
#include "x11/services/tray_menu_window.h"

namespace qv {

class ListCopyMenu : public CopyMenu {
 public:
  explicit ListCopyMenu(EventLoop& loop) : loop_(loop) {}
  void SetItems(std::vector<CopyMenuItem> items) override { items_ = std::move(items); }
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
