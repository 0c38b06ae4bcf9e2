#pragma once
// What a running instance holds, so that an instance started later from the same folder can
// tell: named locks by the folder's identity, in this session and for the whole computer, and
// a file in the folder that only one instance can open for writing.
#include <windows.h>

#include <string>

#include "app/second_instance.h"
#include "win32/base/handles.h"

namespace qv {

class InstanceLock {
 public:
  // The locks of the instances started from `folder`.
  explicit InstanceLock(const std::string& folder);

  OtherInstance AnotherInstance() const { return another_; }
  // At the end, once the files are saved: an instance started while a balloon lingers may run.
  void Release();

 private:
  UniqueHandle local_, global_, file_;
  OtherInstance another_ = OtherInstance::None;
};

}  // namespace qv
