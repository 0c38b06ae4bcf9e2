#pragma once
// The tray icon's part on Wayland: the tip the StatusNotifierItem shows, and notices, shown
// by `onNotice` (a desktop notification, else a window) and always written to the log and the
// terminal.
#include <cstdio>
#include <functional>
#include <string>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "linux/base/debug_log.h"

namespace qv::wl {

class WlTray : public TipControl, public Notifier {
 public:
  // What a StatusNotifierItem host shows of a tip.
  static constexpr std::size_t kTipCharacters = 127;
  std::string Tip() const override { return tip_; }
  void SetTip(const std::string& text) override {
    tip_ = text;  // the notice board cuts it between characters
    DebugLog("tip " + tip_);
    if (onTip) onTip(tip_);
  }
  void Notify(const std::string& text) override {
    DebugLog("notice " + text);
    std::fprintf(stderr, "quorvanel: %s\n", text.c_str());
    if (onNotice) onNotice(text);
  }
  std::function<void(const std::string&)> onTip;
  std::function<void(const std::string&)> onNotice;

 private:
  std::string tip_;
};

}  // namespace qv::wl
