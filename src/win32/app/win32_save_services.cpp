#include "win32/app/win32_save_services.h"

#include <string>
#include <vector>

#include "win32/base/handles.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"
#include "win32/services/win32_file_system.h"

namespace qv {

namespace {

using BlockReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using BlockReasonDestroy = BOOL(WINAPI*)(HWND);

// Windows Vista and later; looked up, so that the program still starts where they are
// missing.
template <typename Function>
Function User32Function(const char* name) {
  return SystemFunction<Function>("user32.dll", name);
}

}  // namespace

bool Win32SaveServices::CanCreateFilesIn(const std::string& folder) {
  // A new file of a name nobody else uses, deleted as it is closed: no data file is
  // touched, and a crash leaves nothing behind.
  const std::string probe = folder + "~qv" + std::to_string(GetCurrentProcessId()) + ".tmp";
  if (OwnedFileHandle(CreateFileW(LongPath(probe).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE,
                                  nullptr)))
    return true;
  const DWORD error = GetLastError();
  return error != ERROR_ACCESS_DENIED && error != ERROR_WRITE_PROTECT;
}

void Win32SaveServices::HoldUpSessionEnd(const std::string& reason) {
  static const auto create = User32Function<BlockReasonCreate>("ShutdownBlockReasonCreate");
  if (!create || !mainWindow_.Handle()) return;
  create(mainWindow_.Handle(), Utf8ToWide(reason).c_str());
}

void Win32SaveServices::LetSessionEnd() {
  static const auto destroy = User32Function<BlockReasonDestroy>("ShutdownBlockReasonDestroy");
  if (destroy && mainWindow_.Handle()) destroy(mainWindow_.Handle());
}

}  // namespace qv
