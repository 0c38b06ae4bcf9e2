#pragma once
// The settings dialog's controls as plain state, and its window operations.
#include <string>

#include "popup/popup_controls.h"

namespace qv {

struct SettingsControls {
  std::string hotKeyText = "Ctrl+Alt+Down";  // ComboBox1
  std::string delayText = "100";             // ComboBox2
  bool makerUnderlined = false;              // RxLabel3
};

class SettingsWindowOps {
 public:
  virtual ~SettingsWindowOps() = default;
  // Shows the dialog modally and returns when it closes; throws AppError
  // "Cannot make a visible window modal" when it is already visible.
  virtual void ShowModal() = 0;
  virtual void CloseModal() = 0;
  virtual WindowRect Bounds() const = 0;
};

}  // namespace qv
