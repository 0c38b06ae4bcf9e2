#pragma once
// Owned handles other than GDI objects, given back when they go.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace qv {

struct MenuDeleter {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace qv
