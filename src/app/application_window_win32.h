#pragma once
// The program's hidden top-level window: it owns every form.
#include <windows.h>

#include <string>

namespace qv {

class ApplicationWindow {
 public:
  explicit ApplicationWindow(const std::string& title);
  ~ApplicationWindow();
  ApplicationWindow(const ApplicationWindow&) = delete;
  ApplicationWindow& operator=(const ApplicationWindow&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace qv
