#pragma once
// The message box and the notice as GTK windows: the program's own loop waits for the answer.
#include <functional>
#include <string>

#include "linux/dialogs/dialog_plugin.h"

namespace qv::x11::gtk {

void OpenMessageWindow(const MessageBoxRequest& request,
                       std::function<void(MessageAnswer)> answered);
void OpenNoticeWindow(const std::string& caption, const std::string& text);

}  // namespace qv::x11::gtk
