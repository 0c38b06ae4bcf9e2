#pragma once
// The hot key on sway (and compositors that speak its IPC): the program binds its own key
// through the IPC socket ($SWAYSOCK) to a command that does nothing, and is told of each
// press by the IPC's binding events. The binding is removed when the key changes and at the
// end. A key the configuration already binds to something else is another program's: it is
// left alone and reported as taken.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "desktop/global_hot_key.h"
#include "linux/base/poll_loop.h"

namespace qv::wl {

class SwayHotKey : public HotKeyRegistration {
 public:
  explicit SwayHotKey(PollLoop& loop);
  ~SwayHotKey() override;
  SwayHotKey(const SwayHotKey&) = delete;
  SwayHotKey& operator=(const SwayHotKey&) = delete;

  // $SWAYSOCK names a socket that answers.
  bool Available() const { return !socketPath_.empty(); }
  bool CanBind() const override { return Available(); }
  bool Register(unsigned modifiers, unsigned virtualKey) override;
  void Unregister() override;
  std::function<void()> onHotKey;

  // One request on a connection of its own; the reply's payload, or nothing on failure.
  std::optional<std::string> Request(std::uint32_t type, const std::string& payload);

 private:
  void ReadEvents();

  std::string socketPath_;
  std::string bound_;   // the key as sway names it, while bound
  std::string events_;  // bytes of events read so far
  int eventSocket_ = -1;
};

// The key as sway's bindsym names it ("Ctrl+Shift+Down", "F5"); empty for none.
std::string SwayKeyName(unsigned modifiers, unsigned virtualKey);

}  // namespace qv::wl
