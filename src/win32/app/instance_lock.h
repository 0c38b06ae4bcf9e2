#pragma once
// The named lock a running instance holds, so that an instance started later from the same folder
// can tell.
#include <windows.h>

#include <string>

#include "win32/base/handles.h"

namespace qv {

class InstanceLock {
 public:
  // The lock of the copies started from `folder`.
  explicit InstanceLock(const std::string& folder);

  bool AnotherInstanceRuns() const { return anotherInstanceRuns_; }

 private:
  UniqueHandle mutex_;
  bool anotherInstanceRuns_ = false;
};

}  // namespace qv
