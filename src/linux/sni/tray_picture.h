#pragma once
// The tray icon's picture for notification areas that draw it themselves.
#include "linux/sni/tray_backend.h"

namespace qv::x11 {

// A clipboard, as the XEmbed icon paints it, `size` pixels square on a clear background.
TrayPicture ClipboardPicture(int size);

}  // namespace qv::x11
