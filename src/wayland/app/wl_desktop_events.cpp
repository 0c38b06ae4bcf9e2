#include "wayland/app/wl_desktop_events.h"

#include <unistd.h>

#include "linux/app/program_run.h"
#include "linux/base/debug_log.h"
#include "linux/base/handler_guard.h"
#include "wayland/services/sway_outputs.h"

namespace qv::wl {

WlDesktopEvents::WlDesktopEvents(PollLoop& loop, Connection& wl, PopupWindow& popup,
                                 SwayHotKey& sway, WlDesktopServices& desktop,
                                 InotifyFolderWatch& folderWatch, Program& program,
                                 const std::string& folder)
    : program_(program), toggleSocket_(loop, folder, [this] {
        DebugLog("toggle asked");
        RunHandler([this] { program_.popup.HotKey1HotKey(); });
      }) {
  sway.onHotKey = [this] { HotKeyPressed(); };
  desktop.focusedOutput = [&sway] { return FocusedSwayOutput(sway); };
  folderWatch.onQuiet = [&program] { RunHandler([&program] { program.DataFolderQuiet(); }); };
  // The list loses the keyboard to another window: it hides, as when the application loses
  // the activation.
  popup.onKeyboardLost = [&loop, &program] {
    loop.Post([&program] { RunHandler([&program] { program.popup.AppDeactivate(); }); });
  };
  wl.onLost = [save = SaveAtEndOfSession(loop, program)] {
    save();
    DebugLog("exit");
    _exit(0);
  };
}

void WlDesktopEvents::HotKeyPressed() {
  DebugLog("hotkey pressed");
  RunHandler([this] { program_.popup.HotKey1HotKey(); });
}

}  // namespace qv::wl
