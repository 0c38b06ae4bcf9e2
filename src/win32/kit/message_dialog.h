#pragma once
// The program's warning and error dialog: caption "Warning" or "Error" with its symbol, the
// text, "OK" or "&Yes" and "&No". Escape answers OK (or No); the close box answers Cancel.
#include <string>

#include "desktop/desktop_services.h"

namespace qv {

MessageAnswer ShowMessageDialog(MessageKind kind, const std::string& text, MessageButtons buttons);

}  // namespace qv
