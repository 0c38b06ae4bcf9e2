#include "x11/app/desktop_events.h"

#include "linux/app/program_run.h"
#include "linux/base/handler_guard.h"
#include "x11/base/x_display.h"

namespace qv {

DesktopEvents::DesktopEvents(EventLoop& loop, XDesktopServices& desktop,
                             XHotKeyRegistration& hotKey, InotifyFolderWatch& folderWatch,
                             Program& program) {
  hotKey.onHotKey = [&program] { RunHandler([&program] { program.popup.HotKey1HotKey(); }); };
  folderWatch.onQuiet = [&program] { RunHandler([&program] { program.DataFolderQuiet(); }); };
  // The program loses the activation: the list hides (once the running handler is done).
  loop.ListenElsewhere([this, &loop, &desktop, &program](XEvent& event) {
    XDisplay& display = loop.display();
    if (event.type != PropertyNotify || event.xproperty.window != display.Root() ||
        event.xproperty.atom != display.atoms().netActiveWindow)
      return;
    const bool own = desktop.ProgramWindow(desktop.ActiveWindow());
    if (ownActive_ && !own)
      loop.Post([&program] { RunHandler([&program] { program.popup.AppDeactivate(); }); });
    ownActive_ = own;
  });
  // A lost display: the data are saved first.
  XDisplay::OnConnectionLost(SaveAtEndOfSession(loop, program));
}

}  // namespace qv
