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
#include "linux/app/toggle_socket.h"
#include "linux/base/handler_guard.h"
#include "linux/base/poll_loop.h"
#include "linux/services/inotify_folder_watch.h"
#include "linux/services/keyboard_layout.h"
#include "linux/services/posix_file_system.h"
#include "linux/sni/sni_loader.h"
#include "linux/sni/tray_picture.h"
#include "tray/tray_menu.h"
#include "wayland/app/wl_tray.h"
#include "wayland/base/wl_connection.h"
#include "wayland/popup/wl_popup_window.h"
#include "wayland/portal/portals_loader.h"
#include "wayland/services/active_toplevel.h"
#include "wayland/services/chosen_desktop_ways.h"
#include "wayland/services/sway_hot_key.h"
#include "wayland/services/sway_outputs.h"
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

}  // namespace

int RunOnWayland() {
  using namespace wl;  // the Wayland front end's own classes
  IgnoreChildAndPipeSignals();
  Connection wl;
  if (!wl.Connected() || !wl.Compositor() || !wl.Shm()) {
    std::fprintf(stderr, "quorvanel: cannot connect to the Wayland compositor (WAYLAND_DISPLAY)\n");
    return 1;
  }
  DebugLog("start");
  // The dialogs' GTK on the same compositor, never through XWayland.
  setenv("GDK_BACKEND", "wayland", 0);
  PollLoop loop;
  wl.Attach(loop);
  const std::string title = ProgramTitle();
  const std::string folder = DataFolder(ExecutableFolder());
  PopupWindow popup(wl, loop);
  ActiveToplevel toplevels(wl);
  WlDesktopServices desktop(wl, loop, popup, toplevels);
  NoCopyMenu copyMenu;
  ProgramDialogs dialogs(loop, copyMenu);
  desktop.showBox = [&](MessageKind kind, const std::string& text, MessageButtons buttons) {
    return dialogs.ShowMessage(kind, text, buttons);
  };
  ErrorReporter() = [&](const std::string& text) {
    desktop.ShowMessage(MessageKind::Error, text, MessageButtons::Ok);
  };
  const InstanceLock instanceLock(folder);
  if (instanceLock.AnotherInstanceRuns() &&
      !MayRunBesideAnotherInstance(desktop, desktop, title, folder))
    return 0;
  WlClipboard clipboard(wl, loop);
  // The desktop portals where a session bus runs (KDE, GNOME): the hot key and the keys where
  // the compositor offers no way of its own.
  std::unique_ptr<wayland::Portals> portals = wayland::LoadPortals("quorvanel");
  if (portals)
    loop.AddPollSource({[&](std::vector<pollfd>& fds, int& timeoutMs) {
                          portals->AddWaits(fds, timeoutMs);
                          return true;
                        },
                        [&](const std::vector<pollfd>& fds) { portals->Dispatch(fds); }});
  VirtualKeyboardKeys virtualKeys(wl);
  ChosenKeys keys(virtualKeys, portals.get(), folder);
  desktop.TypeWithoutTargetCheck(keys.ThroughPortal());
  WlTray tray;
  // Notices where the user looks: the desktop's notifications, else a window of the dialog
  // library. After the current handler, so that a notice at start holds nothing up.
  const auto noticeWindow = [&](const std::string& text) {
    try {
      dialogs.ShowNotice(title, text);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quorvanel: %s\n", e.what());
    }
  };
  tray.onNotice = [&](const std::string& text) {
    loop.Post([&, text] {
      if (portals)
        portals->Notify(title, title, text, [&, text] { noticeWindow(text); });
      else
        noticeWindow(text);
    });
  };
  PosixDisk files;
  const SingleByteCodePage codePage(CodePageOfEnvironment(), true);
  KeysymKeyboardLayout layout;
  SwayHotKey sway(loop);
  std::function<void()> hotKeyPressed;
  ChosenHotKey hotKeyApi(sway, portals.get(), [&] { loop.Post([&] { hotKeyPressed(); }); });
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
  const auto toggle = [&] { RunHandler([&] { program.popup.HotKey1HotKey(); }); };
  hotKeyPressed = [&] {
    DebugLog("hotkey pressed");
    toggle();
  };
  sway.onHotKey = hotKeyPressed;
  desktop.focusedOutput = [&] { return FocusedSwayOutput(sway); };
  ToggleSocket toggleSocket(loop, folder, [&] {
    DebugLog("toggle asked");
    toggle();
  });
  folderWatch.onQuiet = [&] { RunHandler([&] { program.DataFolderQuiet(); }); };
  // The list loses the keyboard to another window: it hides, as when the application loses
  // the activation.
  popup.onKeyboardLost = [&] {
    loop.Post([&] { RunHandler([&] { program.popup.AppDeactivate(); }); });
  };
  const auto saveAtEnd = [&] {
    const int saved = program.WMQueryEndSession();
    DebugLog(saved ? "saved" : "save failed");
    return saved;
  };
  loop.OnEndSignal([&] {
    saveAtEnd();
    program.WMEndSession(true);
    loop.Quit();
  });
  wl.onLost = [&] {
    saveAtEnd();
    DebugLog("exit");
    _exit(0);
  };

  RunHandler([&] { program.FormCreate(); });
  x11::TrayEvents trayEvents;
  for (const TrayMenuItem& item : kTrayMenu)
    trayEvents.commands.push_back({item.caption, [&, command = item.command] {
                                     RunHandler([&] { program.TrayMenuClick(command, dialogs); });
                                   }});
  std::unique_ptr<x11::TrayBackend> sni;
  const auto trayPictures = [] {
    return std::vector<x11::TrayPicture>{x11::ClipboardPicture(16), x11::ClipboardPicture(22),
                                         x11::ClipboardPicture(32)};
  };
  trayEvents.hostChanged = [&] {
    if (sni->HostRegistered()) sni->Show(trayPictures(), tray.Tip());
  };
  sni = x11::SniTrayWhereHostRegistered(title, trayEvents);
  if (sni) {
    loop.AddPollSource({[&](std::vector<pollfd>& fds, int& timeoutMs) {
                          sni->AddWaits(fds, timeoutMs);
                          return true;
                        },
                        [&](const std::vector<pollfd>& fds) { sni->Dispatch(fds); }});
    tray.onTip = [&](const std::string& tip) { sni->SetTip(tip); };
    if (sni->Show(trayPictures(), tray.Tip())) DebugLog("tray item registered");
  } else {
    // Told once: without a tray the menu (Settings, the editor, Quit) cannot be reached.
    tray.Notify(
        "No tray runs on this desktop (a StatusNotifierItem host): the tray menu cannot "
        "be shown. The list works; end the program with SIGTERM.");
  }
  RunHandler([&] { program.LoadPreferences(); });
  PlaceOnMonitor(popup, MonitorOfWork(desktop.LookAtScreens()), Centring::BothWays);
  if (!program.TerminateRequested()) {
    if (program.state.OneShotMode) popup.Show();
    RunHandler([&] { program.popup.FormActivate(); });
    RunHandler([&] { program.CheckHotKey(); });
    DebugLog(std::string("hotkey ") + (program.hotKey.Works() ? "works" : "does not work"));
    DebugLog("ready");
    loop.Run();
  }
  loop.Resume();
  clipboard.FinishWrites();
  sway.Unregister();
  DebugLog("exit");
  return 0;
}

}  // namespace qv
