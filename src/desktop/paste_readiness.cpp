#include "desktop/paste_readiness.h"

namespace qv {

namespace {

template <typename Ready>
void WaitBounded(DesktopServices& desktop, Ready ready) {
  const std::int64_t start = desktop.Milliseconds();
  while (!ready() && desktop.Milliseconds() - start < kPasteReadinessBoundMs)
    desktop.Wait(kPasteReadinessPollMs);
}

}  // namespace

void WaitUntilReadyToPaste(DesktopServices& desktop) {
  WaitBounded(desktop, [&] { return desktop.PasteTargetInFront(); });
  WaitBounded(desktop, [&] { return !desktop.ModifierKeysHeld(); });
}

}  // namespace qv
