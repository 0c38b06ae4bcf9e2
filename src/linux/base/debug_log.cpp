#include "linux/base/debug_log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace qv {

void DebugLog(const std::string& line) {
  static FILE* log = [] {
    const char* path = std::getenv("QV_DEBUG_LOG");
    return path && *path ? std::fopen(path, "a") : nullptr;
  }();
  if (!log) return;
  const auto ms = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count();
  std::fprintf(log, "%lld %s\n", static_cast<long long>(ms), line.c_str());
  std::fflush(log);
}

}  // namespace qv
