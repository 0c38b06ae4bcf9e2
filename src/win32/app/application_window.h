#pragma once
// The program's hidden top-level window: it owns every form, and its title names the program
// in the error box.
#include <string>

#include "win32/kit/window_base.h"

namespace qv {

class ApplicationWindow : public WindowBase {
 public:
  explicit ApplicationWindow(const std::string& title);
};

// The path of the running executable.
std::string ExecutablePath();

}  // namespace qv
