#pragma once
// The program's hidden top-level window: it owns every form.
#include <string>

#include "desktop/window_base_win32.h"

namespace qv {

class ApplicationWindow : public WindowBase {
 public:
  explicit ApplicationWindow(const std::string& title);
};

}  // namespace qv
