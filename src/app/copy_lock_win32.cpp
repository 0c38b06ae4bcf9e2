#include "app/copy_lock_win32.h"

namespace qv {

CopyLock::CopyLock(const std::string& name) {
  mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  // A copy of another user holds it when we may not even open it.
  anotherCopyRuns_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

CopyLock::~CopyLock() {
  if (mutex_) CloseHandle(mutex_);
}

}  // namespace qv
