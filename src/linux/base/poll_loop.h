#pragma once
// The one thread's loop: timers, tasks posted to run once the running handler has returned,
// sources of events on one poll, and the signals that end the program. Waits run the loop too,
// as the Windows message loop does, so handlers may run inside a wait.
#include <poll.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace qv {

class PollLoop {
 public:
  PollLoop();
  ~PollLoop();
  PollLoop(const PollLoop&) = delete;
  PollLoop& operator=(const PollLoop&) = delete;

  // A repeating timer; returns its id. Interval 0 stops it.
  int AddTimer(std::function<void()> tick);
  void SetTimer(int id, int intervalMs);
  int TimerInterval(int id) const;
  // Runs once no handler is running (the next turn of the loop).
  void Post(std::function<void()> task) { posted_.push_back(std::move(task)); }

  // A source of events on the poll (the display's connection, the dialog library's, the session
  // bus): before each poll it adds its descriptors and may lower the timeout (returning true),
  // and after it dispatches what is ready, once per added set.
  struct PollSource {
    std::function<bool(std::vector<pollfd>&, int&)> addWaits;
    std::function<void(const std::vector<pollfd>&)> dispatch;
  };
  void AddPollSource(PollSource source) { sources_.push_back(std::move(source)); }

  // SIGTERM, SIGINT, SIGHUP: the handler runs in the loop, not in the signal.
  void OnEndSignal(std::function<void()> handler) { onSignal_ = std::move(handler); }
  // Runs the loop until Quit; returns at once once quitting.
  void Run();
  void Quit() { quitting_ = true; }
  // After the end was asked for: the last steps (the clipboard handed over) still run the loop.
  void Resume() { quitting_ = false; }
  bool Quitting() const { return quitting_; }
  // Handles events for `ms`; false when the program is to end.
  bool Wait(int ms);
  // Handles events until `done` holds, the program ends, or `timeoutMs` passes (-1: none).
  bool RunUntil(const std::function<bool()>& done, int timeoutMs = -1);
  static std::int64_t Now();

 protected:
  // The display's own connection: its waits are added after every other source's (so that
  // what they sent is flushed before the poll), its events taken after theirs and the signals.
  void SetDisplaySource(PollSource source) { display_ = std::move(source); }

 private:
  // One turn: waits at most `timeoutMs` for something to do, then does it.
  void Turn(int timeoutMs);
  int MsToNextTimer() const;
  void RunDueTimers();

  struct Timer {
    std::function<void()> tick;
    int interval = 0;
    std::int64_t due = 0;
  };
  std::vector<Timer> timers_;
  std::vector<std::function<void()>> posted_;
  std::function<void()> onSignal_;
  std::vector<PollSource> sources_;
  std::optional<PollSource> display_;
  int signalPipe_[2] = {-1, -1};
  bool quitting_ = false;
};

}  // namespace qv
