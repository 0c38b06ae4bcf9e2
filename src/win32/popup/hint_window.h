#pragma once
// The yellow hint window that shows a clip's preview below the pointer.
#include <windows.h>

#include <functional>
#include <string>

#include "popup/label_hint.h"
#include "win32/kit/window_base.h"

namespace qv {

class HintWindow : public WindowBase, public HintWindowDisplay {
 public:
  void SetFont(HFONT font) { font_ = font; }
  // Shows `text` (up to its first "|") below the pointer; an empty text shows nothing.
  void ShowAtPointer(const std::string& text) override;
  void Hide() override;
  bool Visible() const override { return window_ && IsWindowVisible(window_); }

  // The hint has been up for its whole time.
  std::function<void()> onTimeUp;

 private:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;

  std::wstring text_;
  HFONT font_ = nullptr;
};

}  // namespace qv
