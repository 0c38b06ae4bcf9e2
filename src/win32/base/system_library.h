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

// `name` loaded from the system folder, or null.
HMODULE LoadSystemLibrary(const char* name);

// The one way a function is looked up at run time, for what an older Windows (or Windows
// rather than Wine) may not have: null when the library or the function is missing.
template <typename Function>
Function SystemFunction(HMODULE library, const char* name) {
  return library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}
// The same from a library the process has loaded already ("kernel32.dll", "user32.dll").
template <typename Function>
Function SystemFunction(const char* loadedLibrary, const char* name) {
  return SystemFunction<Function>(GetModuleHandleA(loadedLibrary), name);
}

}  // namespace qv
