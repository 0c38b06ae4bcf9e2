#pragma once
// Notices (nothing was pasted, the list could not take the keyboard) reach the user even
// where notifications are swallowed (Do Not Disturb, Focus Assist): each goes to the
// balloon, and stays pending in the tray icon's tip until the list has shown it in its
// header, the next time the list opens. Only the latest pending notice is kept: it is about
// the latest paste.
#include <string>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"

namespace qv {

class NoticeBoard : public Notifier, public TipControl {
 public:
  NoticeBoard(Notifier& balloon, TipControl& trayTip) : balloon_(balloon), trayTip_(trayTip) {}

  void Notify(const std::string& text) override;
  // The tip without a notice (what the hot key's state says).
  std::string Tip() const override { return base_; }
  void SetTip(const std::string& text) override;
  // The list opens: the pending notice on one line, now seen, and the tip back to its base;
  // empty when none is pending.
  std::string TakeForHeader();
  bool Pending() const { return !pending_.empty(); }

 private:
  void ShowTip();

  Notifier& balloon_;
  TipControl& trayTip_;
  std::string base_;
  std::string pending_;  // on one line
};

}  // namespace qv
