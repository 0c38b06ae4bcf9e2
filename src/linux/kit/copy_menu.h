#pragma once
// The slot list's copy menu ("Copy Clip", "Paste Clip"), which the editor opens with a right
// click on the list while a clip is being edited; each front end draws it.
#include <functional>
#include <vector>

#include "desktop/controls.h"

namespace qv {

struct CopyMenuItem {
  const char* caption;
  std::function<void()> chosen;  // runs after the menu has closed
};

class CopyMenu : public MenuControl {
 public:
  virtual void SetItems(std::vector<CopyMenuItem> items) = 0;
};

}  // namespace qv
