#include "desktop/paste_readiness.h"

namespace qv {

namespace {

template <typename Ready>
void WaitBounded(Clock& clock, Ready ready) {
  const std::int64_t start = clock.Milliseconds();
  while (!ready() && clock.Milliseconds() - start < kPasteReadinessBoundMs)
    clock.Wait(kPasteReadinessPollMs);
}

}  // namespace

void WaitUntilReadyToPaste(Foreground& foreground, KeyInjection& keys, Clock& clock) {
  WaitBounded(clock, [&] { return foreground.PasteTargetInFront(); });
  WaitBounded(clock, [&] { return !keys.ModifierKeysHeld(); });
}

}  // namespace qv
