#pragma once
// In-memory files with a switch to fail any one operation, for testing saves step by step.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/clock.h"
#include "library/file_system.h"

namespace qv::test {

// Time passes only when something waits.
struct FakeClock : Clock {
  std::int64_t now = 0;
  bool Wait(int ms) override {
    now += ms;
    return true;
  }
  std::int64_t Milliseconds() override { return now; }
};

class FakeFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;  // paths whose open fails although they exist
  std::set<std::string> folders;     // paths where a folder stands: no file goes there
  std::vector<std::string> log;      // "read p", "write p", "move a b", "remove p"
  int failAtCall = -1;               // index of the mutating call that fails, -1 none
  int mutatingCalls = 0;
  // Paths another program holds open until the clock at `now` reads the time given: every
  // step fails.
  std::map<std::string, std::int64_t> busyUntilMs;
  const std::int64_t* now = nullptr;
  std::function<void()> beforeMutation;  // a slow disk, say

  std::optional<std::string> ReadAll(const std::string& path) override {
    log.push_back("read " + path);
    if (Busy(path) || unreadable.count(path)) return std::nullopt;
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool Missing(const std::string& path) override {
    return !files.count(path) && !unreadable.count(path) && !folders.count(path);
  }
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override {
    log.push_back("write " + path);
    if (Busy(path)) return false;
    if (Fails() || folders.count(path)) {
      if (!folders.count(path)) files[path] = std::string(bytes.substr(0, bytes.size() / 2));
      return false;  // a torn write
    }
    files[path] = std::string(bytes);
    return true;
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    log.push_back("move " + from + " " + to);
    if (Busy(from) || Busy(to) || Fails() || !files.count(from) || folders.count(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const std::string& path) override {
    log.push_back("remove " + path);
    if (Busy(path) || Fails()) return false;
    return files.erase(path) != 0;
  }
  bool LastFailureWasBusy() const override { return busy_; }

 private:
  bool Busy(const std::string& path) {
    const auto until = busyUntilMs.find(path);
    busy_ = now && until != busyUntilMs.end() && *now < until->second;
    return busy_;
  }
  bool busy_ = false;
  bool Fails() {
    if (beforeMutation) beforeMutation();
    return mutatingCalls++ == failAtCall;
  }
};

}  // namespace qv::test
