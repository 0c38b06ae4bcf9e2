// Program entry on Linux: `quorvanel --toggle`, or the front end of the session's desktop.
#include <cstdlib>
#include <cstring>
#include <string>

#include "linux/app/data_folder.h"
#include "linux/app/front_ends.h"
#include "linux/app/toggle_socket.h"

namespace {

bool Flag(int argc, char** argv, const char* flag) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], flag) == 0) return true;
  return false;
}

// WAYLAND_DISPLAY (or WAYLAND_SOCKET) is set and neither QUORVANEL_BACKEND=x11 nor the flag
// --x11 asks for X11; or QUORVANEL_BACKEND=wayland / --wayland asks for Wayland.
bool WaylandChosen(int argc, char** argv) {
  const char* backend = std::getenv("QUORVANEL_BACKEND");
  const std::string asked = backend ? backend : "";
  if (Flag(argc, argv, "--x11") || asked == "x11") return false;
  if (Flag(argc, argv, "--wayland") || asked == "wayland") return true;
  const char* display = std::getenv("WAYLAND_DISPLAY");
  return (display && *display) || std::getenv("WAYLAND_SOCKET");
}

}  // namespace

int main(int argc, char** argv) {
  // `quorvanel --toggle`: the running copy shows or hides its list; no copy starts.
  if (argc > 1 && std::string(argv[1]) == "--toggle")
    return qv::SendToggle(qv::DataFolder(qv::ExecutableFolder()));
  return WaylandChosen(argc, argv) ? qv::RunOnWayland() : qv::RunOnX11();
}
