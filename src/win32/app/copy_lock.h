#pragma once
// What a running copy holds, so that a copy started later from the same folder can tell:
// named locks by the folder's identity, in this session and for the whole computer, and a
// file in the folder that only one copy can open for writing.
#include <windows.h>

#include <string>

#include "app/second_copy.h"
#include "win32/base/handles.h"

namespace qv {

class CopyLock {
 public:
  // The locks of the copies started from `folder`.
  explicit CopyLock(const std::string& folder);

  OtherCopy AnotherCopy() const { return another_; }
  // At the end, once the files are saved: a copy started while a balloon lingers may run.
  void Release();

 private:
  UniqueHandle local_, global_, file_;
  OtherCopy another_ = OtherCopy::None;
};

}  // namespace qv
