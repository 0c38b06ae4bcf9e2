#include "desktop/paste_delivery.h"

#include <vector>

#include "desktop/held_keys.h"
#include "desktop/paste_keystrokes.h"

namespace qv {

void PasteDelivery::Deliver(int delayMs, const std::function<bool()>& cancelled) {
  Clock& clock = roles_.clock;
  const auto waitOn = [&](int ms) { return clock.Wait(ms) && !cancelled(); };
  // Polls `ready` until it holds or the bound has passed; false when the paste is cancelled.
  const auto waitBounded = [&](auto ready) {
    const std::int64_t start = clock.Milliseconds();
    while (!ready() && clock.Milliseconds() - start < kPasteReadinessBoundMs)
      if (!waitOn(kPasteReadinessPollMs)) return false;
    return true;
  };

  if (!waitOn(delayMs)) return;
  // A held Alt would turn Ctrl+V into Ctrl+Alt+V; what is still held is let go below.
  if (!waitBounded([&] { return !ModifierKeysHeld(roles_.keyState); })) return;
  // Last, so that nothing can have come in front between this test and the keys.
  if (!waitBounded([&] { return roles_.target.PasteTargetInFront(); })) return;
  if (!roles_.target.PasteTargetInFront()) {
    roles_.notifier.Notify(kTargetAwayMessage);
    return;
  }
  switch (elevated_.Route(roles_.target.ForegroundIntegrity(), roles_.target.OwnIntegrity())) {
    case PasteRoute::TellAndLeave:
      roles_.notifier.Notify(kElevatedTargetMessage);
      return;
    case PasteRoute::Leave:
      return;
    case PasteRoute::Inject:
      break;
  }
  const std::vector<KeyStroke> keys = PasteKeyStrokes(HeldModifierKeys(roles_.keyState));
  if (roles_.keys.SendKeys(keys) < keys.size())
    roles_.notifier.Notify(KeysBlockedMessage(roles_.words));
}

}  // namespace qv
