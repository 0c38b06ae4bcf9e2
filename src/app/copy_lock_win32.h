#pragma once
// The named lock a running copy holds, so that a copy started later from the same folder
// can tell.
#include <windows.h>

#include <string>

namespace qv {

class CopyLock {
 public:
  // The lock of the copies started from `folder`.
  explicit CopyLock(const std::string& folder);
  ~CopyLock();
  CopyLock(const CopyLock&) = delete;
  CopyLock& operator=(const CopyLock&) = delete;

  bool AnotherCopyRuns() const { return anotherCopyRuns_; }

 private:
  HANDLE mutex_ = nullptr;
  bool anotherCopyRuns_ = false;
};

}  // namespace qv
