#include "library/retrying_file_system.h"

#include <algorithm>

namespace qv {

namespace {
constexpr std::int64_t kShortestPauseMs = 50;
constexpr std::int64_t kLongestPauseMs = 400;
constexpr std::int64_t kSpellGapMs = 1000;
}  // namespace

template <typename Step>
auto RetryingFileSystem::Retried(Step step) {
  auto result = step();
  const bool busy = !result && disk_.LastFailureWasBusy();
  if (busy) {
    if (!spellStartMs_ || clock_.Milliseconds() - lastBusyMs_ > kSpellGapMs)
      spellStartMs_ = clock_.Milliseconds();
    while (!result && disk_.LastFailureWasBusy()) {
      const std::int64_t waited = clock_.Milliseconds() - *spellStartMs_;
      if (waited >= kBusyWaitLimitMs) break;
      // Each pause half the time waited so far: a short lock costs little more than itself.
      const std::int64_t pause = std::min(std::clamp(waited / 2, kShortestPauseMs, kLongestPauseMs),
                                          kBusyWaitLimitMs - waited);
      if (!clock_.Wait(static_cast<int>(pause))) break;  // ending, or out of time
      result = step();
    }
    lastBusyMs_ = clock_.Milliseconds();
  }
  // Only the held file let go ends the spell: a step on another file (the temp file written
  // beside a held data file) says nothing of it.
  if (result && busy) spellStartMs_.reset();
  return result;
}

std::optional<std::string> RetryingFileSystem::ReadAll(const std::string& path) {
  return Retried([&] { return disk_.ReadAll(path); });
}

bool RetryingFileSystem::WriteAndFlush(const std::string& path, std::string_view bytes) {
  return Retried([&] { return disk_.WriteAndFlush(path, bytes); });
}

bool RetryingFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
  return Retried([&] { return disk_.MoveReplacing(from, to); });
}

bool RetryingFileSystem::Remove(const std::string& path) {
  return Retried([&] { return disk_.Remove(path); });
}

}  // namespace qv
