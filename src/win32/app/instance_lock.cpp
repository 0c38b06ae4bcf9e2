#include "win32/app/instance_lock.h"

#include <cstring>
#include <optional>
#include <vector>

#include "base/product.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"
#include "win32/services/win32_file_system.h"

namespace qv {

namespace {

// FILE_ID_INFO of Windows 8 and later: a 64-bit volume serial and a 128-bit file id.
struct FileIdInformation {
  ULONGLONG volume;
  BYTE id[16];
};
constexpr int kFileIdInfoClass = 18;  // FileIdInfo

// The folder's volume and file id: the same through every path that leads to it. The 128-bit
// id tells folders on ReFS (a Dev Drive) apart, where the 64-bit index may not; a volume that
// reports no id at all leaves the path to tell the folder.
std::optional<FolderId> IdentifyFolder(HANDLE folder) {
  using GetInfoEx = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
  static const auto getInfoEx =
      SystemFunction<GetInfoEx>("kernel32.dll", "GetFileInformationByHandleEx");
  FolderId id;
  FileIdInformation idInfo{};
  BY_HANDLE_FILE_INFORMATION info{};
  if (getInfoEx && getInfoEx(folder, kFileIdInfoClass, &idInfo, sizeof idInfo)) {
    id.volume = idInfo.volume;
    std::memcpy(&id.index, idInfo.id, sizeof id.index);
    std::memcpy(&id.indexHigh, idInfo.id + sizeof id.index, sizeof id.indexHigh);
  } else if (GetFileInformationByHandle(folder, &info)) {
    id.volume = info.dwVolumeSerialNumber;
    id.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  } else {
    return std::nullopt;
  }
  if (id.index == 0 && id.indexHigh == 0) return std::nullopt;
  return id;
}

// The folder's path with links followed, as the file system names it; `given` when it cannot
// tell.
std::string FinalPath(HANDLE folder, const std::string& given) {
  std::vector<wchar_t> path(32768);
  const DWORD length =
      GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()), 0);
  if (length == 0 || length >= path.size()) return given;
  return WideToUtf8(std::wstring_view(path.data(), length));
}

}  // namespace

InstanceLock::InstanceLock(const std::string& folder) {
  std::string name;
  {
    const UniqueHandle handle =
        OwnedFileHandle(CreateFileW(LongPath(folder.empty() ? "." : folder).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    name = handle ? InstanceLockName(FinalPath(handle.get(), folder), IdentifyFolder(handle.get()))
                  : InstanceLockName(folder);
  }
  // An instance in this session has its icon in this user's notification area.
  local_.reset(CreateMutexW(nullptr, FALSE, Utf8ToWide("Local\\" + name).c_str()));
  const bool here = local_ && GetLastError() == ERROR_ALREADY_EXISTS;
  // This session's lock exists but we may not open it: a copy running as administrator holds
  // it (its objects deny a process that is not elevated).
  const bool elevatedHere = !local_ && GetLastError() == ERROR_ACCESS_DENIED;
  global_.reset(CreateMutexW(nullptr, FALSE, Utf8ToWide("Global\\" + name).c_str()));
  const DWORD error = GetLastError();
  // An instance of another user holds it when we may not even open it.
  const bool elsewhere = global_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
  // Whatever path led to the folder (a drive letter whose volume looks different under Wine),
  // and from other computers sharing it: the file cannot be opened for writing twice. Readers
  // (a backup or sync client) may look. It is never written and stays when the program ends:
  // a file made and deleted at every start would travel to every synced computer. A folder
  // that takes no file leaves the named locks alone to tell.
  file_ = OwnedFileHandle(CreateFileW(LongPath(folder + kInstanceLockFileName).c_str(),
                                      GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
  const bool fileHeld = !file_ && GetLastError() == ERROR_SHARING_VIOLATION;
  another_ = here           ? OtherInstance::ThisSession
             : elevatedHere ? OtherInstance::ElevatedThisSession
             : elsewhere    ? OtherInstance::OtherSession
             : fileHeld     ? OtherInstance::ThroughAnotherPath
                            : OtherInstance::None;
}

void InstanceLock::Release() {
  file_.reset();
  global_.reset();
  local_.reset();
}

}  // namespace qv
