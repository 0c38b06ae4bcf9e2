#pragma once
// Libraries come from the system folder only: the search path Windows uses by default
// looks in the program's own folder first, where anyone who can put a file beside the
// program (a Downloads folder) would have it run as the user.
#include <windows.h>

namespace qv {

// Every library loaded from now on by name, by the program or by Windows on its behalf,
// comes from the system folder (Windows 8, or 7 with its update; elsewhere the current
// folder at least leaves the search).
void LoadLibrariesFromSystemFolderOnly();

// The system folder's copy of `name`, or null.
HMODULE LoadSystemLibrary(const char* name);

// A function that older Windows may lack, in a system library the program has loaded already
// (kernel32, user32): looked up at run time, so that the program still starts there; null
// where it is missing.
template <typename Function>
Function LoadedSystemFunction(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace qv
