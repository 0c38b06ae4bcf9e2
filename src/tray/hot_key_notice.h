#pragma once
// The user always knows whether the hot key works: the tray icon's tip says so, and a key
// that does not work is told in one message box, naming the way out.
#include <string>

#include "base/platform_words.h"
#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/preferences.h"

namespace qv {

class HotKeyNotice {
 public:
  // `preferences` holds the hot key text the key was parsed from; `title` names the program.
  HotKeyNotice(const GlobalHotKey& hotKey, const Preferences& preferences,
               const KeyboardLayout& layout, MessageBoxes& messages, TipControl& tip,
               std::string title, PlatformWords words = {})
      : hotKey_(hotKey),
        preferences_(preferences),
        layout_(layout),
        messages_(messages),
        tip_(tip),
        title_(std::move(title)),
        words_(std::move(words)) {}

  // Run whenever the key may have changed or been retried (after start-up, after the
  // settings dialog). The tip always follows; each way of not working is told once (not at
  // every retry), again only after a working key, and only when `mayTell`.
  void Check(bool mayTell);

 private:
  const GlobalHotKey& hotKey_;
  const Preferences& preferences_;
  const KeyboardLayout& layout_;
  MessageBoxes& messages_;
  TipControl& tip_;
  std::string title_;
  PlatformWords words_;
  std::string told_;  // the message last shown, until the key works
};

}  // namespace qv
