#pragma once
// What the desktop tells the program besides its windows' input: the hot key, the data folder
// quiet again, another window active (the list hides), the session's end or the display gone
// (the clips are saved).
#include "app/program.h"
#include "linux/services/inotify_folder_watch.h"
#include "x11/base/event_loop.h"
#include "x11/services/hot_key_registration.h"
#include "x11/services/x_desktop_services.h"

namespace qv {

class DesktopEvents {
 public:
  DesktopEvents(EventLoop& loop, XDesktopServices& desktop, XHotKeyRegistration& hotKey,
                InotifyFolderWatch& folderWatch, Program& program);

 private:
  bool ownActive_ = false;
};

}  // namespace qv
