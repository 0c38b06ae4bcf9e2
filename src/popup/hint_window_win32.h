#pragma once
// The yellow hint window that shows a clip's preview below the pointer.
#include <windows.h>

#include <string>

namespace qv {

class HintWindow {
 public:
  HintWindow() = default;
  ~HintWindow();
  HintWindow(const HintWindow&) = delete;
  HintWindow& operator=(const HintWindow&) = delete;

  // Shows `text` (up to its first "|") below the point; an empty text shows nothing.
  void ShowAt(POINT pointer, const std::string& text, HFONT font);
  void Hide();
  bool Visible() const { return window_ && IsWindowVisible(window_); }

 private:
  static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
  std::string text_;
  HFONT font_ = nullptr;
};

}  // namespace qv
