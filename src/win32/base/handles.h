#pragma once
// Owned handles other than GDI objects, given back when they go.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qv {

struct HandleDeleter {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
// A kernel object (file, mutex, process, token); empty when its opening failed.
using UniqueHandle = std::unique_ptr<void, HandleDeleter>;
// CreateFile's result, which says a failure with INVALID_HANDLE_VALUE rather than null.
inline UniqueHandle OwnedFileHandle(HANDLE file) {
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace qv
