#include "linux/base/poll_loop.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace qv {

namespace {

int g_signalWrite = -1;

void OnSignal(int) {
  const char byte = 1;
  if (g_signalWrite >= 0) [[maybe_unused]]
    auto written = write(g_signalWrite, &byte, 1);
}

}  // namespace

PollLoop::PollLoop() {
  if (pipe2(signalPipe_, O_CLOEXEC | O_NONBLOCK) == 0) {
    g_signalWrite = signalPipe_[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  }
}

PollLoop::~PollLoop() {
  g_signalWrite = -1;
  for (int fd : signalPipe_)
    if (fd >= 0) close(fd);
}

int PollLoop::AddTimer(std::function<void()> tick) {
  timers_.push_back({std::move(tick), 0, 0});
  return static_cast<int>(timers_.size()) - 1;
}

void PollLoop::SetTimer(int id, int intervalMs) {
  Timer& timer = timers_.at(static_cast<std::size_t>(id));
  timer.interval = std::max(intervalMs, 0);
  timer.due = Now() + timer.interval;
}

int PollLoop::TimerInterval(int id) const {
  return timers_.at(static_cast<std::size_t>(id)).interval;
}

std::int64_t PollLoop::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int PollLoop::MsToNextTimer() const {
  std::int64_t next = -1;
  const std::int64_t now = Now();
  for (const Timer& timer : timers_) {
    if (timer.interval <= 0) continue;
    const std::int64_t wait = std::max<std::int64_t>(timer.due - now, 0);
    if (next < 0 || wait < next) next = wait;
  }
  return static_cast<int>(next);
}

void PollLoop::RunDueTimers() {
  const std::int64_t now = Now();
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    Timer& timer = timers_[i];
    if (timer.interval <= 0 || timer.due > now) continue;
    timer.due = now + timer.interval;
    auto tick = timers_[i].tick;  // the tick may add timers
    tick();
  }
}

void PollLoop::Turn(int timeoutMs) {
  if (!posted_.empty()) {
    auto tasks = std::exchange(posted_, {});
    for (auto& task : tasks) task();
    return;
  }
  int wait = timeoutMs;
  const int timerWait = MsToNextTimer();
  if (timerWait >= 0 && (wait < 0 || timerWait < wait)) wait = timerWait;
  std::vector<pollfd> fds{{signalPipe_[0], POLLIN, 0}};
  std::vector<bool> sourceWaits;
  for (PollSource& source : sources_) sourceWaits.push_back(source.addWaits(fds, wait));
  const bool displayWaits = display_ && display_->addWaits(fds, wait);
  poll(fds.data(), fds.size(), wait);
  for (std::size_t i = 0; i < sources_.size(); ++i)
    if (sourceWaits[i]) sources_[i].dispatch(fds);
  if (fds[0].revents & POLLIN) {
    char drain[16];
    while (read(signalPipe_[0], drain, sizeof drain) > 0) {
    }
    if (onSignal_) Post(onSignal_);
  }
  if (displayWaits) display_->dispatch(fds);
  RunDueTimers();
}

void PollLoop::Run() {
  while (!quitting_) Turn(-1);
}

bool PollLoop::Wait(int ms) {
  return RunUntil([] { return false; }, ms) || !quitting_;
}

bool PollLoop::RunUntil(const std::function<bool()>& done, int timeoutMs) {
  const std::int64_t end = Now() + timeoutMs;
  while (!quitting_) {
    if (done()) return true;
    const std::int64_t left = end - Now();
    if (timeoutMs >= 0 && left <= 0) return false;
    Turn(timeoutMs >= 0 ? static_cast<int>(left) : -1);
  }
  return false;
}

}  // namespace qv
