#include "x11/base/event_loop.h"

#include <fcntl.h>
#include <poll.h>
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

Time EventTime(const XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease:
      return event.xkey.time;
    case ButtonPress:
    case ButtonRelease:
      return event.xbutton.time;
    case MotionNotify:
      return event.xmotion.time;
    case EnterNotify:
    case LeaveNotify:
      return event.xcrossing.time;
    case PropertyNotify:
      return event.xproperty.time;
    default:
      return CurrentTime;
  }
}

}  // namespace

EventLoop::EventLoop(XDisplay& display) : display_(display) {
  if (pipe2(signalPipe_, O_CLOEXEC | O_NONBLOCK) == 0) {
    g_signalWrite = signalPipe_[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  }
}

EventLoop::~EventLoop() {
  g_signalWrite = -1;
  for (int fd : signalPipe_)
    if (fd >= 0) close(fd);
}

void EventLoop::Listen(Window window, Handler handler) {
  windows_[window] = std::move(handler);
}

void EventLoop::Forget(Window window) {
  windows_.erase(window);
}

int EventLoop::AddTimer(std::function<void()> tick) {
  timers_.push_back({std::move(tick), 0, 0});
  return static_cast<int>(timers_.size()) - 1;
}

void EventLoop::SetTimer(int id, int intervalMs) {
  Timer& timer = timers_.at(static_cast<std::size_t>(id));
  timer.interval = std::max(intervalMs, 0);
  timer.due = Now() + timer.interval;
}

int EventLoop::TimerInterval(int id) const {
  return timers_.at(static_cast<std::size_t>(id)).interval;
}

std::int64_t EventLoop::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

int EventLoop::MsToNextTimer() const {
  std::int64_t next = -1;
  const std::int64_t now = Now();
  for (const Timer& timer : timers_) {
    if (timer.interval <= 0) continue;
    const std::int64_t wait = std::max<std::int64_t>(timer.due - now, 0);
    if (next < 0 || wait < next) next = wait;
  }
  return static_cast<int>(next);
}

void EventLoop::RunDueTimers() {
  const std::int64_t now = Now();
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    Timer& timer = timers_[i];
    if (timer.interval <= 0 || timer.due > now) continue;
    timer.due = now + timer.interval;
    auto tick = timers_[i].tick;  // the tick may add timers
    tick();
  }
}

void EventLoop::Dispatch(XEvent& event) {
  display_.SeeTime(EventTime(event));
  // Another layout, or a key lent to another program: keysyms are looked up anew.
  if (event.type == MappingNotify) XRefreshKeyboardMapping(&event.xmapping);
  auto found = windows_.find(event.xany.window);
  if (found != windows_.end()) {
    auto handler = found->second;  // the handler may forget its window
    handler(event);
    return;
  }
  for (std::size_t i = 0; i < elsewhere_.size(); ++i) elsewhere_[i](event);
}

void EventLoop::Turn(int timeoutMs) {
  Display* x = display_.Get();
  if (!posted_.empty()) {
    auto tasks = std::exchange(posted_, {});
    for (auto& task : tasks) task();
    return;
  }
  int wait = 0;
  if (!x || XPending(x) == 0) {
    const int timerWait = MsToNextTimer();
    wait = timeoutMs;
    if (timerWait >= 0 && (wait < 0 || timerWait < wait)) wait = timerWait;
  }
  // Without an X connection its place stays, polling nothing.
  std::vector<pollfd> fds{{x ? ConnectionNumber(x) : -1, POLLIN, 0}, {signalPipe_[0], POLLIN, 0}};
  std::vector<bool> sourceWaits;
  for (PollSource& source : sources_) sourceWaits.push_back(source.addWaits(fds, wait));
  if (x) XFlush(x);
  poll(fds.data(), fds.size(), wait);
  for (std::size_t i = 0; i < sources_.size(); ++i)
    if (sourceWaits[i]) sources_[i].dispatch(fds);
  if (fds[1].revents & POLLIN) {
    char drain[16];
    while (read(signalPipe_[0], drain, sizeof drain) > 0) {
    }
    if (onSignal_) Post(onSignal_);
  }
  while (x && XPending(x) > 0) {
    XEvent event;
    XNextEvent(x, &event);
    Dispatch(event);
  }
  RunDueTimers();
}

void EventLoop::Run() {
  while (!quitting_) Turn(-1);
}

bool EventLoop::Wait(int ms) {
  return RunUntil([] { return false; }, ms) || !quitting_;
}

bool EventLoop::RunUntil(const std::function<bool()>& done, int timeoutMs) {
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
