#pragma once
// Finds the dialog library beside the executable and makes its plugin, once, when a dialog
// first opens.
#include <memory>
#include <string>

#include "linux/dialogs/dialog_plugin.h"

namespace qv::x11 {

class DialogLoader {
 public:
  // `libraryPath`: where the library is, normally DialogLibraryBesideProgram().
  explicit DialogLoader(std::string libraryPath) : path_(std::move(libraryPath)) {}
  ~DialogLoader();
  DialogLoader(const DialogLoader&) = delete;
  DialogLoader& operator=(const DialogLoader&) = delete;

  // The plugin, loaded at the first call. Throws AppError telling the user what is missing
  // (the library, GTK 3, or the display); the next call tries again.
  DialogPlugin& Plugin();
  // Null until Plugin() has succeeded: the event loop asks only a loaded plugin.
  DialogPlugin* Loaded() const { return plugin_.get(); }

 private:
  std::string path_;
  void* library_ = nullptr;
  std::unique_ptr<DialogPlugin> plugin_;
};

// The library's path in the executable's folder (/proc/self/exe).
std::string DialogLibraryBesideProgram();

// What to tell the user when dlopen failed with `reason` (dlerror's text).
std::string DialogLoadFailure(const std::string& libraryPath, const std::string& reason);

}  // namespace qv::x11
