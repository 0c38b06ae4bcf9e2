#pragma once
// Desktop services and hot key registration as plain recorded state, on a clock that only
// Wait moves.
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/folder_watch.h"
#include "desktop/global_hot_key.h"

namespace qv::test {

// The keyboard's 256 virtual keys as Windows keeps them: the generic Shift, Ctrl and Alt are
// down while either side's key is; a key pressed may be let go at a moment of the clock.
class FakeKeyboard {
 public:
  void Press(unsigned key, std::int64_t letGoAt = -1) {  // -1: held for good
    down_[key] = true;
    if (letGoAt >= 0) letGo_.emplace(letGoAt, key);
  }
  bool Down(unsigned key, std::int64_t now) {
    for (auto it = letGo_.begin(); it != letGo_.end() && it->first <= now; it = letGo_.erase(it))
      down_[it->second] = false;
    const auto either = [&](unsigned left, unsigned right) {
      return down_[key] || down_[left] || down_[right];
    };
    switch (key) {
      case kVkShift:
        return either(kVkLeftShift, kVkRightShift);
      case kVkControl:
        return either(kVkLeftControl, kVkRightControl);
      case kVkAlt:
        return either(kVkLeftAlt, kVkRightAlt);
      default:
        return key < down_.size() && down_[key];
    }
  }

 private:
  std::array<bool, 256> down_{};
  std::multimap<std::int64_t, unsigned> letGo_;
};

class FakeDesktop : public Clipboard,
                    public KeyInjection,
                    public KeyState,
                    public Activation,
                    public PasteTarget,
                    public Pointer,
                    public MessageBoxes,
                    public Clock,
                    public Notifier,
                    public Screens {
 public:
  std::vector<std::string> log;  // every call, in order
  std::string clipboard;
  bool clipboardBusy = false;
  FakeKeyboard keyboard;  // every key up
  bool pointerFails = false;
  Point pointer;
  Point desktop{1280, 1024};          // one monitor of this size, unless `monitors`
  std::vector<Monitor> monitors;      // more than one
  std::optional<WindowRect> front;    // the window in front
  std::deque<MessageAnswer> answers;  // next answers of ShowMessage; Ok when empty
  // Runs while a message box is up, as the messages its loop dispatches would.
  std::function<void()> whileMessage;
  std::vector<std::string> messages;
  std::string mailLink;

  std::int64_t now = 0;  // the clock, in ms
  // Minimising hands the foreground back to the paste target after this many ms (-1: never).
  int handBackMs = 0;
  bool targetGone = false;     // the paste target was closed
  int foregroundRefusals = 0;  // takings of the foreground that Windows refuses
  std::optional<IntegrityLevel> targetLevel, ownLevel;
  std::size_t keysAccepted = 9;  // SendKeys: how many Windows lets through
  // Runs inside the next wait, as the messages it handles would; `quit`: the program is ending.
  std::function<void()> whileWaiting;
  bool quit = false;
  std::vector<std::string> notices;            // balloons
  std::vector<std::vector<KeyStroke>> pastes;  // every batch of keys sent

  bool PutClipboardText(const std::string& text) override {
    log.push_back("clipboard");
    if (clipboardBusy) return false;
    clipboard = text;
    return true;
  }
  std::size_t SendKeys(const std::vector<KeyStroke>& keys) override {
    log.push_back("ctrl+v");
    pastes.push_back(keys);
    return std::min(keys.size(), keysAccepted);
  }
  bool Wait(int ms) override {
    log.push_back("wait " + std::to_string(ms));
    if (whileWaiting) std::exchange(whileWaiting, nullptr)();
    now += ms;
    return !quit;
  }
  std::int64_t Milliseconds() override { return now; }
  bool PasteTargetInFront() override {
    return !targetGone && (!programInFront_ || (handBackAt_ >= 0 && now >= handBackAt_));
  }
  bool ProgramHasForeground() override { return programInFront_; }
  std::optional<IntegrityLevel> ForegroundIntegrity() override { return targetLevel; }
  std::optional<IntegrityLevel> OwnIntegrity() override { return ownLevel; }
  bool KeyDown(unsigned virtualKey) override { return keyboard.Down(virtualKey, now); }
  void TakeForeground() override {
    log.push_back("foreground");
    programInFront_ = foregroundRefusals-- <= 0;
    handBackAt_ = -1;
  }
  void Notify(const std::string& text) override { notices.push_back(text); }
  void RaiseWithoutStayingOnTop() override { log.push_back("raise"); }
  void HideTaskbarButton() override { log.push_back("hide taskbar"); }
  void MinimiseApplication() override {
    log.push_back("minimise");
    if (programInFront_) handBackAt_ = handBackMs < 0 ? -1 : now + handBackMs;
  }
  void RestoreApplication() override { log.push_back("restore"); }
  void SetPointer(Point p) override {
    log.push_back("pointer " + std::to_string(p.x) + "," + std::to_string(p.y));
    if (pointerFails) throw AppError("A Win32 API function failed");
    pointer = p;
  }
  Point GetPointer() override {
    if (pointerFails) throw AppError("A Win32 API function failed");
    return pointer;
  }
  ScreenState LookAtScreens() override {
    const WindowRect whole{0, 0, desktop.x, desktop.y};
    if (monitors.empty()) return {{{whole, whole, kDesignDpi, true}}, front, pointer};
    return {monitors, front, pointer};
  }
  MessageAnswer ShowMessage(MessageKind, const std::string& text, MessageButtons) override {
    log.push_back("message");
    messages.push_back(text);
    if (whileMessage) std::exchange(whileMessage, nullptr)();
    if (answers.empty()) return MessageAnswer::Ok;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  void OpenMailLink(const std::string& address) override {
    log.push_back("mail");
    mailLink = address;
  }

 private:
  bool programInFront_ = false;   // since the hot key took the foreground
  std::int64_t handBackAt_ = -1;  // when minimising gives it back
};

// The tray icon's tip, cut as the notification area cuts it.
class FakeTip : public TipControl {
 public:
  std::string text;
  std::string Tip() const override { return text; }
  void SetTip(const std::string& tip) override { text = tip; }
};

class FakeHotKeyRegistration : public HotKeyRegistration {
 public:
  std::vector<std::string> log;
  bool refuse = false;
  std::set<std::pair<unsigned, unsigned>> heldElsewhere;  // (modifiers, key) of other programs
  bool Register(unsigned modifiers, unsigned vk) override {
    log.push_back("register " + std::to_string(modifiers) + " " + std::to_string(vk));
    return !refuse && !heldElsewhere.count({modifiers, vk});
  }
  void Unregister() override { log.push_back("unregister"); }
  bool unbindable = false;  // a desktop that lets no program bind a key (GNOME without portal)
  bool CanBind() const override { return !unbindable; }
};

// The folder's changes as the platform reports them, delivered by the test.
class FakeFolderWatch : public FolderWatch {
 public:
  std::function<void(const std::string&)> changed;
  bool working = true;  // false: the watch cannot start, or was lost
  bool Watch(const std::string&, std::function<void(const std::string&)> onChange) override {
    changed = std::move(onChange);
    return working;
  }
  bool Working() override { return working; }
};

}  // namespace qv::test
