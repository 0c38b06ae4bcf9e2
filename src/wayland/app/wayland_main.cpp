// The program on Wayland: the program's objects in the order they are made, and their
// wiring, as on X11, with the Wayland front end's roles.

#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/program.h"
#include "app/second_instance.h"
#include "desktop/monitor_placement.h"
#include "library/single_byte_code_page.h"
#include "linux/app/data_folder.h"
#include "linux/app/front_ends.h"
#include "linux/app/instance_lock.h"
#include "linux/app/linux_save_services.h"
#include "linux/app/linux_words.h"
#include "linux/app/program_dialogs.h"
#include "linux/app/program_process.h"
#include "linux/app/program_run.h"
#include "linux/base/handler_guard.h"
#include "linux/base/poll_loop.h"
#include "linux/services/inotify_folder_watch.h"
#include "linux/services/keyboard_layout.h"
#include "linux/services/posix_file_system.h"
#include "tray/tray_menu.h"
#include "wayland/app/wl_desktop_events.h"
#include "wayland/app/wl_tray.h"
#include "wayland/app/wl_tray_host.h"
#include "wayland/base/wl_connection.h"
#include "wayland/popup/wl_popup_window.h"
#include "wayland/portal/portals_loader.h"
#include "wayland/services/active_toplevel.h"
#include "wayland/services/chosen_desktop_ways.h"
#include "wayland/services/sway_hot_key.h"
#include "wayland/services/virtual_keyboard_keys.h"
#include "wayland/services/wl_clipboard.h"
#include "wayland/services/wl_desktop_services.h"

namespace qv {

namespace {

// The list's copy menu is an X window; not drawn on Wayland yet.
class NoCopyMenu : public CopyMenu {
 public:
  void SetItems(std::vector<CopyMenuItem>) override {}
  void PopupAt(int, int) override { DebugLog("copy menu not shown"); }
};

bool ConnectedOrTold(wl::Connection& wl) {
  if (!wl.Connected() || !wl.Compositor() || !wl.Shm()) {
    std::fprintf(stderr, "quorvanel: cannot connect to the Wayland compositor (WAYLAND_DISPLAY)\n");
    return false;
  }
  DebugLog("start");
  return true;
}

// Boxes, and the errors the handlers report, as windows of the dialog library.
void TellInBoxes(wl::WlDesktopServices& desktop, ProgramDialogs& dialogs) {
  desktop.showBox = [&](MessageKind kind, const std::string& text, MessageButtons buttons) {
    return dialogs.ShowMessage(kind, text, buttons);
  };
  ErrorReporter() = [&](const std::string& text) {
    desktop.ShowMessage(MessageKind::Error, text, MessageButtons::Ok);
  };
}

// The last steps once the program has ended: the clip's last transfers finished, the key
// given back to sway.
int Leave(PollLoop& loop, wl::WlClipboard& clipboard, wl::SwayHotKey& sway) {
  loop.Resume();
  clipboard.FinishWrites();
  sway.Unregister();
  DebugLog("exit");
  return 0;
}

}  // namespace

int RunOnWayland() {
  using namespace wl;  // the Wayland front end's own classes
  IgnoreChildAndPipeSignals();
  Connection wl;
  if (!ConnectedOrTold(wl)) return 1;
  setenv("GDK_BACKEND", "wayland", 0);  // the dialogs on the same compositor, not XWayland
  PollLoop loop;
  wl.Attach(loop);
  const std::string title = ProgramTitle(), folder = DataFolder(ExecutableFolder());
  PopupWindow popup(wl, loop);
  ActiveToplevel toplevels(wl);
  WlDesktopServices desktop(wl, loop, popup, toplevels);
  NoCopyMenu copyMenu;
  ProgramDialogs dialogs(loop, copyMenu);
  TellInBoxes(desktop, dialogs);  // from here on, boxes are windows
  const InstanceLock instanceLock(folder);
  if (instanceLock.AnotherInstanceRuns() &&
      !MayRunBesideAnotherInstance(desktop, desktop, title, folder))
    return 0;
  WlClipboard clipboard(wl, loop);
  const std::unique_ptr<wayland::Portals> portals = wayland::PortalsOnLoop(loop, "quorvanel");
  VirtualKeyboardKeys virtualKeys(wl);
  ChosenKeys keys(virtualKeys, portals.get(), folder);
  desktop.TypeWithoutTargetCheck(keys.ThroughPortal());
  WlTray tray;
  WlTrayHost trayHost(loop, tray, dialogs, portals.get(), title);
  PosixDisk files;
  const SingleByteCodePage codePage(CodePageOfEnvironment(), true);
  KeysymKeyboardLayout layout;
  SwayHotKey sway(loop);
  WlDesktopEvents* events = nullptr;  // made with the program, which the key's events reach
  ChosenHotKey hotKeyApi(sway, portals.get(), [&] { loop.Post([&] { events->HotKeyPressed(); }); });
  LinuxSaveServices saving;
  InotifyFolderWatch folderWatch(loop);
  const DesktopRoles roles{clipboard, keys,    desktop, desktop, desktop,
                           desktop,   desktop, desktop, tray,    desktop};
  Program program(
      {files, codePage, roles, hotKeyApi, layout, saving, folderWatch, folderWatch.QuietTimer(),
       LinuxWords()},
      {popup.View(), dialogs.Settings(), dialogs.Editor(), tray, WlTray::kTipCharacters},
      DataPaths::InFolder(folder), title, [&] { loop.Quit(); });
  popup.Create(program.popup, program);
  dialogs.Bind(program);
  WlDesktopEvents desktopEvents(loop, wl, popup, sway, desktop, folderWatch, program, folder);
  events = &desktopEvents;
  RunHandler([&] { program.FormCreate(); });
  trayHost.Show([&](TrayCommand c) { RunHandler([&] { program.TrayMenuClick(c, dialogs); }); });
  RunHandler([&] { program.LoadPreferences(); });
  PlaceOnMonitor(popup, MonitorOfWork(desktop.LookAtScreens()), Centring::BothWays);
  RunProgram(loop, program, [&] { popup.Show(); });
  return Leave(loop, clipboard, sway);
}

}  // namespace qv
