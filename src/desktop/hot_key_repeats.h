#pragma once
// A held hot key shows or hides the list once, whatever the platform does with repeats: Wine
// sends the hot key's message again and again while the key is held, although it was
// registered without repeats.
#include <cstdint>

namespace qv {

class HotKeyRepeats {
 public:
  // The hot key's message arrived; `keyDown`: its key is down now. True for a new press, false
  // for a repeat of the press taken last.
  bool Pressed(bool keyDown, std::int64_t nowMs) {
    const bool repeat = held_ && keyDown && nowMs - lastMs_ <= kRepeatGapMs;
    lastMs_ = nowMs;
    if (!repeat) held_ = keyDown;
    return !repeat;
  }
  // The key looked at while it is held: once seen up, the next message is a new press.
  void LookedAt(bool keyDown) { held_ = held_ && keyDown; }
  // The key is to be looked at until it is seen up.
  bool Held() const { return held_; }

 private:
  // Keyboards repeat after at most a second, then faster: a key held longer without any
  // message has been let go where the program could not see it.
  static constexpr std::int64_t kRepeatGapMs = 1100;
  bool held_ = false;
  std::int64_t lastMs_ = 0;
};

}  // namespace qv
