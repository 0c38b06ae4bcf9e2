#pragma once
// The settings dialog's controls as its handlers use them.
#include "desktop/controls.h"

namespace qv {

struct SettingsView {
  ModalFormControl& form;
  TextControl& hotKeyBox;    // ComboBox1
  TextControl& delayBox;     // ComboBox2
  LabelControl& makerLabel;  // RxLabel3
};

}  // namespace qv
