#pragma once
// The moment an injected Ctrl+V reaches the right window as Ctrl+V.
#include "desktop/desktop_services.h"

namespace qv {

// Each wait ends at this bound, and the paste then goes ahead regardless.
inline constexpr int kPasteReadinessBoundMs = 500;
inline constexpr int kPasteReadinessPollMs = 10;

// Waits until the window that was in front before the pop-up is in front again, then until
// no Shift, Ctrl or Alt is held (a held Alt would turn Ctrl+V into Ctrl+Alt+V). Both end at
// once in the common case.
void WaitUntilReadyToPaste(Foreground& foreground, KeyInjection& keys, Clock& clock);

}  // namespace qv
