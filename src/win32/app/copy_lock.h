#pragma once
// The named lock a running copy holds, so that a copy started later from the same folder
// can tell.
#include <windows.h>

#include <string>

#include "win32/base/handles.h"

namespace qv {

class CopyLock {
 public:
  // The lock of the copies started from `folder`.
  explicit CopyLock(const std::string& folder);

  bool AnotherCopyRuns() const { return anotherCopyRuns_; }

 private:
  UniqueHandle mutex_;
  bool anotherCopyRuns_ = false;
};

}  // namespace qv
