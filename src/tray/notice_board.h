#pragma once
// Notices (nothing was pasted, the list could not take the keyboard) reach the user even
// where notifications are swallowed (Do Not Disturb, Focus Assist): each goes to the
// balloon, and stays pending in the tray icon's tip until the list has shown it in its
// header, the next time the list opens. Only the latest pending notice is kept: it is about
// the latest paste.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/clock.h"
#include "desktop/controls.h"
#include "desktop/desktop_services.h"

namespace qv {

class NoticeBoard : public Notifier, public TipControl {
 public:
  // `tipCharacters`: as many as the notification area shows; the tip is cut there, between
  // characters (a tip cut inside one is refused, or worse, by some notification areas).
  NoticeBoard(Notifier& balloon, TipControl& trayTip, std::size_t tipCharacters, Clock& clock)
      : balloon_(balloon), trayTip_(trayTip), tipCharacters_(tipCharacters), clock_(clock) {}

  void Notify(const std::string& text) override;
  // The tip without a notice (what the hot key's state says).
  std::string Tip() const override { return base_; }
  void SetTip(const std::string& text) override;
  // The list opens: the pending notice on one line, now seen, and the tip back to its base;
  // empty when none is pending.
  std::string TakeForHeader();
  bool Pending() const { return !pending_.empty(); }
  // At the program's end: how much longer the last notice stays up so that it can be read
  // (one-shot mode ends right after a paste, and the notice would go with the icon); 0 when
  // none was told a moment ago.
  int LingerAtExitMs();

 private:
  void ShowTip();

  Notifier& balloon_;
  TipControl& trayTip_;
  std::size_t tipCharacters_;
  Clock& clock_;
  std::string base_;
  std::string pending_;  // on one line
  std::int64_t toldAt_ = -1;
};

}  // namespace qv
