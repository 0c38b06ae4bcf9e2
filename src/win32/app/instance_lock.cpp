#include "win32/app/instance_lock.h"

#include <optional>

#include "app/second_instance.h"
#include "win32/services/win32_file_system.h"

namespace qv {

namespace {

// The folder's volume and file index: the same through every path that leads to it.
std::optional<FolderId> IdentifyFolder(const std::string& folder) {
  const UniqueHandle handle =
      OwnedFileHandle(CreateFileW(LongPath(folder.empty() ? "." : folder).c_str(), 0,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return std::nullopt;
  return FolderId{info.dwVolumeSerialNumber,
                  (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

}  // namespace

InstanceLock::InstanceLock(const std::string& folder) {
  const std::string name = InstanceLockName(folder, IdentifyFolder(folder));
  mutex_.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
  const DWORD error = GetLastError();
  // An instance of another user holds it when we may not even open it.
  anotherInstanceRuns_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace qv
