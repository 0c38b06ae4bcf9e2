#pragma once
// The desktop's events turned into the program's handlers on Wayland: the hot key (sway's
// binding, the portal's shortcut) and `quorvanel --toggle`, the data folder's quiet, the list
// losing the keyboard, the end of the session and a lost compositor.
#include <functional>
#include <string>

#include "app/program.h"
#include "linux/app/toggle_socket.h"
#include "linux/base/poll_loop.h"
#include "linux/services/inotify_folder_watch.h"
#include "wayland/base/wl_connection.h"
#include "wayland/popup/wl_popup_window.h"
#include "wayland/services/sway_hot_key.h"
#include "wayland/services/wl_desktop_services.h"

namespace qv::wl {

class WlDesktopEvents {
 public:
  WlDesktopEvents(PollLoop& loop, Connection& wl, PopupWindow& popup, SwayHotKey& sway,
                  WlDesktopServices& desktop, InotifyFolderWatch& folderWatch, Program& program,
                  const std::string& folder);
  // What the hot key does, wherever it was pressed.
  void HotKeyPressed();

 private:
  Program& program_;
  ToggleSocket toggleSocket_;
};

}  // namespace qv::wl
