#pragma once
// The "Settings" dialog in GTK: the header, the hot key and delay boxes, "OK" and "Cancel".
#include <gtk/gtk.h>

#include "linux/dialogs/dialog_plugin.h"
#include "linux/dialogs/gtk/dialog_kit.h"
#include "linux/dialogs/gtk/gtk_controls.h"

namespace qv::x11::gtk {

class SettingsWindow {
 public:
  explicit SettingsWindow(SettingsEvents& events);
  SettingsDialogControls Controls() { return {form_, hotKeyBox_, delayBox_, makerLabel_}; }

 private:
  SettingsEvents& events_;
  DialogKit kit_;
  GtkWidget* hotKeyCombo_;
  GtkWidget* delayCombo_;
  GtkWidget* maker_;
  GtkForm form_;
  EntryText hotKeyBox_;
  EntryText delayBox_;
  UnderlinedLabel makerLabel_;
};

}  // namespace qv::x11::gtk
