#pragma once
// A clip already on the clipboard, typed into the window the user was working in: after the
// paste delay, once the user has let go of Shift, Ctrl and Alt and that window is in front
// again, as one Ctrl+V. The waits go on handling messages, so anything may happen meanwhile;
// whatever would send the keys astray leaves the clip on the clipboard and tells the user.
#include <functional>
#include <string>

#include "base/platform_words.h"
#include "base/product.h"
#include "desktop/desktop_services.h"
#include "desktop/elevated_paste_target.h"

namespace qv {

// Each wait after the delay ends at this bound.
inline constexpr int kPasteReadinessBoundMs = 500;
inline constexpr int kPasteReadinessPollMs = 10;

// Short lines: a balloon does not always wrap them.
inline constexpr const char* kTargetAwayMessage =
    "Nothing was pasted: the window you were working in\n"
    "is no longer in front.\n"
    "The clip is on the clipboard; press Ctrl+V to paste it.";
inline std::string KeysBlockedMessage(const PlatformWords& words) {
  return "Nothing was pasted:\n" + words.keyGuard +
         " did not let " QV_SHORT_NAME
         " send Ctrl+V.\nThe clip is on the clipboard; press Ctrl+V to paste it.";
}

struct PasteRoles {
  PasteTarget& target;
  KeyInjection& keys;
  KeyState& keyState;
  Clock& clock;
  Notifier& notifier;
  PlatformWords words{};
};

class PasteDelivery {
 public:
  explicit PasteDelivery(PasteRoles roles) : roles_(roles) {}

  // `cancelled` is asked after every wait: true when what ran meanwhile (another paste, the
  // hot key) has made this paste one the user no longer wants. Ends with Ctrl+V sent, or with
  // nothing typed: cancelled (the program ends, or the user went on) silently; the window
  // gone or not in front, or Windows taking fewer keys than sent, told; a window that runs
  // as administrator, told once per run.
  void Deliver(int delayMs, const std::function<bool()>& cancelled);

 private:
  PasteRoles roles_;
  ElevatedPasteTarget elevated_;
};

}  // namespace qv
