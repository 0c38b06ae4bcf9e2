#pragma once
// The modal message box: a caption, the text, "OK" or "Yes" and "No"; the loop goes on
// while it waits (as Windows' modal loop does), and it returns the button chosen.
#include <string>

#include "desktop/desktop_services.h"
#include "x11/base/event_loop.h"

namespace qv {

// `caption`: "Warning", "Error" or the program's title.
MessageAnswer ShowMessageBox(EventLoop& loop, const std::string& caption, const std::string& text,
                             MessageButtons buttons);

}  // namespace qv
