#include "library/retrying_file_system.h"

#include <algorithm>

namespace qv {

namespace {
constexpr int kShortestPauseMs = 50;
constexpr int kLongestPauseMs = 400;
}  // namespace

template <typename Step>
auto RetryingFileSystem::Retried(Step step) {
  auto result = step();
  while (!result && disk_.LastFailureWasBusy() && waitedMs_ < kBusyWaitLimitMs) {
    // Each pause half the time waited so far: a short lock costs little more than itself.
    const int pause = std::min(std::clamp(waitedMs_ / 2, kShortestPauseMs, kLongestPauseMs),
                               kBusyWaitLimitMs - waitedMs_);
    clock_.Wait(pause);
    waitedMs_ += pause;
    result = step();
  }
  if (result) waitedMs_ = 0;
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
