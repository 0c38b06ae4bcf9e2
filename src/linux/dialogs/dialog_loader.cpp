#include "linux/dialogs/dialog_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "base/app_error.h"

namespace qv::x11 {

DialogLoader::~DialogLoader() {
  plugin_.reset();
  // GTK cannot be unloaded once it has run (it leaves handlers and threads behind).
}

DialogPlugin& DialogLoader::Plugin() {
  if (plugin_) return *plugin_;
  if (!library_) {
    library_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
      const char* reason = dlerror();
      throw AppError(DialogLoadFailure(path_, reason ? reason : ""));
    }
  }
  auto factory = reinterpret_cast<DialogPluginFactory>(dlsym(library_, kDialogFactoryName));
  if (!factory)
    throw AppError(DialogLoadFailure(path_, std::string("no entry point ") + kDialogFactoryName));
  std::string error;
  plugin_.reset(factory(kDialogPluginVersion, &error));
  if (!plugin_) throw AppError("The editor and the settings dialog cannot open: " + error);
  return *plugin_;
}

std::string DialogLibraryBesideProgram() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string folder = length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : "";
  folder.erase(folder.find_last_of('/') + 1);  // npos + 1 == 0: no folder, the current one
  return (folder.empty() ? "./" : folder) + kDialogLibraryName;
}

std::string DialogLoadFailure(const std::string& libraryPath, const std::string& reason) {
  // A library of GTK that is not found shows in the loader's text under its own name.
  if (reason.find("libgtk-3") != std::string::npos || reason.find("libgdk-3") != std::string::npos)
    return "The editor and the settings dialog need GTK 3, which is not installed.\n"
           "Install the package libgtk-3-0, then try again.\n(" +
           reason + ")";
  return "The editor and the settings dialog cannot open: the file " + libraryPath +
         " is missing or damaged.\nInstall the program again with all its files.\n(" + reason + ")";
}

}  // namespace qv::x11
