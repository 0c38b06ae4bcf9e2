#pragma once
// The modal message box: a caption, the text, "OK" or "Yes" and "No"; the loop goes on
// while it waits (as Windows' modal loop does), and it returns the button chosen.
#include <string>

#include "desktop/desktop_services.h"
#include "x11/base/event_loop.h"

namespace qv {

// The picture beside the text, as Windows' boxes carry one by their kind.
enum class BoxIcon { Warning, Error };

// `caption`: "Warning", "Error" or the program's title. The close box answers Cancel, as
// Windows' does; Escape answers the button that means "no change" (OK, or No).
MessageAnswer ShowMessageBox(EventLoop& loop, const std::string& caption, const std::string& text,
                             MessageButtons buttons, BoxIcon icon = BoxIcon::Error);

}  // namespace qv
