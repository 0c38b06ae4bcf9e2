#include "desktop/paste_delivery.h"

#include <vector>

#include "desktop/paste_keystrokes.h"

namespace qv {

PasteOutcome PasteDelivery::Deliver(int delayMs, const std::function<bool()>& cancelled) {
  Clock& clock = roles_.clock;
  const auto waitOn = [&](int ms) { return clock.Wait(ms) && !cancelled(); };
  // Polls `ready` until it holds or the bound has passed; false when the paste is cancelled.
  const auto waitBounded = [&](auto ready) {
    const std::int64_t start = clock.Milliseconds();
    while (!ready() && clock.Milliseconds() - start < kPasteReadinessBoundMs)
      if (!waitOn(kPasteReadinessPollMs)) return false;
    return true;
  };

  if (!waitOn(delayMs)) return PasteOutcome::Cancelled;
  // A held Alt would turn Ctrl+V into Ctrl+Alt+V; what is still held is let go below.
  if (!waitBounded([&] { return !roles_.keys.ModifierKeysHeld(); })) return PasteOutcome::Cancelled;
  // Last, so that nothing can have come in front between this test and the keys.
  if (!waitBounded([&] { return roles_.foreground.PasteTargetInFront(); }))
    return PasteOutcome::Cancelled;
  if (!roles_.foreground.PasteTargetInFront()) {
    roles_.notifier.Notify(kTargetAwayMessage);
    return PasteOutcome::TargetAway;
  }
  switch (
      elevated_.Route(roles_.foreground.ForegroundIntegrity(), roles_.foreground.OwnIntegrity())) {
    case PasteRoute::TellAndLeave:
      roles_.notifier.Notify(kElevatedTargetMessage);
      return PasteOutcome::Elevated;
    case PasteRoute::Leave:
      return PasteOutcome::Elevated;
    case PasteRoute::Inject:
      break;
  }
  const std::vector<KeyStroke> keys = PasteKeyStrokes(roles_.keys.HeldModifierKeys());
  if (roles_.keys.SendKeys(keys) < keys.size()) {
    roles_.notifier.Notify(kKeysBlockedMessage);
    return PasteOutcome::KeysBlocked;
  }
  return PasteOutcome::Pasted;
}

}  // namespace qv
