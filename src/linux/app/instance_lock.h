#pragma once
// Held while the program runs: a second instance on the same data folder, by whatever path,
// finds it taken (a record lock on a file in the folder itself).
#include <string>

namespace qv {

class InstanceLock {
 public:
  explicit InstanceLock(const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  bool AnotherInstanceRuns() const { return anotherInstanceRuns_; }

 private:
  int fd_ = -1;
  bool anotherInstanceRuns_ = false;
};

}  // namespace qv
