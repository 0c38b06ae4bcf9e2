// The program on X11: the program's objects in the order they are made, and their wiring.
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
#include "linux/app/toggle_socket.h"
#include "linux/base/handler_guard.h"
#include "linux/services/inotify_folder_watch.h"
#include "linux/services/keyboard_layout.h"
#include "linux/services/posix_file_system.h"
#include "x11/app/desktop_events.h"
#include "x11/app/display_errors.h"
#include "x11/app/list_copy_menu.h"
#include "x11/app/tray_hosts.h"
#include "x11/base/event_loop.h"
#include "x11/base/x_display.h"
#include "x11/popup/x_popup_window.h"
#include "x11/services/clipboard_owner.h"
#include "x11/services/hot_key_registration.h"
#include "x11/services/x_desktop_services.h"
#include "x11/services/x_tray_icon.h"

using namespace qv;

int qv::RunOnX11() {
  IgnoreChildAndPipeSignals();
  XDisplay display;
  if (!display.Get()) return TellNoDisplay();
  DebugLog("start");
  EventLoop loop(display);
  const std::string title = ProgramTitle();
  TellErrorsInBoxes(loop, title);
  const std::string folder = DataFolder(ExecutableFolder());
  ClipboardOwner clipboard(loop);
  XDesktopServices desktop(loop, clipboard);
  const InstanceLock instanceLock(folder);
  if (instanceLock.AnotherInstanceRuns() &&
      !MayRunBesideAnotherInstance(desktop, desktop, title, folder))
    return 0;
  XTrayIcon tray(loop);  // its notices tell what a paste could not do
  TrayHosts trayHosts(loop, tray, title);
  desktop.RememberForeground();  // docking moves no window to the front
  PosixDisk files;
  const SingleByteCodePage codePage(CodePageOfEnvironment(), true);
  KeysymKeyboardLayout layout;
  XHotKeyRegistration hotKeyApi(loop);
  XPopupWindow popup(loop);
  ListCopyMenu copyMenu(loop);
  ProgramDialogs dialogs(loop, copyMenu);
  // GTK ends the process on a lost display without a word: the lost display is ours to
  // handle, so that the clips are saved first.
  dialogs.onLibraryLoaded = XDisplay::ReclaimConnectionLoss;
  LinuxSaveServices saving;
  InotifyFolderWatch folderWatch(loop);  // the data files a sync engine replaces
  Program program(
      {files, codePage, RolesOf(desktop, tray), hotKeyApi, layout, saving, folderWatch,
       folderWatch.QuietTimer(), LinuxWords()},
      {popup.View(), dialogs.Settings(), dialogs.Editor(), tray, XTrayIcon::kTipCharacters},
      DataPaths::InFolder(folder), title, [&] { loop.Quit(); });
  popup.Create(program.popup, program);
  dialogs.Bind(program);
  const DesktopEvents desktopEvents(loop, desktop, hotKeyApi, folderWatch, program);
  ToggleSocket toggleSocket(loop, folder,
                            [&] { RunHandler([&] { program.popup.HotKey1HotKey(); }); });
  RunHandler([&] { program.FormCreate(); });
  trayHosts.Show([&](TrayCommand c) { RunHandler([&] { program.TrayMenuClick(c, dialogs); }); });
  RunHandler([&] { program.LoadPreferences(); });  // the settings dialog's part of start-up
  PlaceOnMonitor(popup, MonitorOfWork(desktop.LookAtScreens()), Centring::BothWays);  // as Windows
  RunProgram(loop, program, [&] { popup.Show(); });
  loop.Resume();
  clipboard.HandToManager();  // the clip outlives the program where a clipboard manager runs
  tray.LetNoticeBeSeen(program.notices.LingerAtExitMs());
  DebugLog("exit");
  return 0;
}
