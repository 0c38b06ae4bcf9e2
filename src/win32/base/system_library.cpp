#include "win32/base/system_library.h"

#include <string>

namespace qv {

void LoadLibrariesFromSystemFolderOnly() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      SystemFunction<SetDefaultDirectories>("kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  SetDllDirectoryA("");
}

HMODULE LoadSystemLibrary(const char* name) {
  if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Windows without the flag refuses it: a full path is searched nowhere else.
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder) + "\\" + name).c_str());
}

}  // namespace qv
