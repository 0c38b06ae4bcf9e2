// Program entry on X11: the program's objects in the order they are made, and their wiring.
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "app/second_instance.h"
#include "base/app_error.h"
#include "desktop/monitor_placement.h"
#include "editor/editor_layout.h"
#include "x11/app/list_copy_menu.h"
#include "x11/base/event_loop.h"
#include "x11/base/x_display.h"
#include "x11/dialogs/dialog_loader.h"
#include "x11/dialogs/dialogs.h"
#include "x11/kit/handler_guard.h"
#include "x11/kit/message_box.h"
#include "x11/popup/x_popup_window.h"
#include "x11/services/clipboard_owner.h"
#include "x11/services/inotify_folder_watch.h"
#include "x11/services/posix_file_system.h"
#include "x11/services/western_code_page.h"
#include "x11/services/x_desktop_services.h"
#include "x11/services/x_hot_key.h"
#include "x11/services/x_tray_icon.h"
#include "x11/sni/sni_loader.h"
#include "x11/sni/tray_picture.h"

using namespace qv;

namespace {

// What the dialog library needs of the loop: handlers run as every handler runs, and the
// loop nested while a dialog is modal.
class LoopDialogHost : public x11::DialogHost {
 public:
  explicit LoopDialogHost(EventLoop& loop) : loop_(loop) {}
  void RunHandler(const std::function<void()>& handler) noexcept override {
    qv::RunHandler(handler);
  }
  void RunUntil(const std::function<bool()>& done) override { loop_.RunUntil(done); }

 private:
  EventLoop& loop_;
};

// The application's title from the executable's name, capitalised as the Windows program's
// name is (executables here are named in lower case): "quorvanel" -> "Quorvanel".
std::string ProgramTitle() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  const std::string exe = length > 0 ? std::string(path, static_cast<std::size_t>(length)) : "";
  std::string title = ApplicationTitle(exe);
  if (title.empty()) return "Quorvanel";
  title[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(title[0])));
  return title;
}

}  // namespace

int main() {
  signal(SIGCHLD, SIG_IGN);  // the mail program's launcher is not waited for
  // A write to a display that has gone fails as a lost connection, which saves the clips;
  // SIGPIPE would end the program at once.
  signal(SIGPIPE, SIG_IGN);
  XDisplay display;
  if (!display.Get()) {
    std::fprintf(stderr, "quorvanel: cannot open the X display (is DISPLAY set?)\n");
    return 1;
  }
  DebugLog("start");
  EventLoop loop(display);
  const std::string title = ProgramTitle();
  ErrorReporter() = [&](const std::string& text) {
    ShowMessageBox(loop, title, text, MessageButtons::Ok);
  };
  const std::string folder = DataFolder(ExecutableFolder());
  ClipboardOwner clipboard(loop);
  XDesktopServices desktop(loop, clipboard);
  const InstanceLock instanceLock(folder);
  if (instanceLock.AnotherInstanceRuns() &&
      !MayRunBesideAnotherInstance(desktop, desktop, title, folder))
    return 0;
  XTrayIcon tray(loop);  // its notices tell what a paste could not do
  // Without a session bus there is no StatusNotifierItem host: the XEmbed tray embeds the
  // icon while the program starts.
  const bool dockedEarly = x11::SessionBusAddress().empty();
  if (dockedEarly) {
    tray.Dock();
    // The icon first: the rest of start-up would take the processor from the tray meanwhile.
    if (tray.TrayAsked()) loop.RunUntil([&] { return tray.Docked(); }, 100);
  }
  desktop.RememberForeground();  // docking moves no window to the front
  PosixFileSystem files;
  const WesternCodePage codePage;
  XKeyboardLayout layout;
  XHotKeyRegistration hotKeyApi(loop);
  XPopupWindow popup(loop);
  x11::DialogLoader dialogs(x11::DialogLibraryBesideProgram());
  LoopDialogHost host(loop);
  ListCopyMenu copyMenu(loop);
  x11::SettingsDialog settings(dialogs, host);
  x11::EditorDialog editor(dialogs, host, copyMenu);
  PosixSaveServices saving;
  InotifyFolderWatch folderWatch(loop);  // the data files a sync engine replaces
  Program program({files, codePage, RolesOf(desktop, tray), hotKeyApi, layout, saving, folderWatch,
                   folderWatch.QuietTimer()},
                  {popup.View(), settings.View(), editor.View(), tray}, DataPaths::InFolder(folder),
                  title, [&] { loop.Quit(); });
  bool ioHandlerReclaimed = false;
  loop.AddPollSource({[&](std::vector<pollfd>& fds, int& timeoutMs) {
                        x11::DialogPlugin* plugin = dialogs.Loaded();
                        if (!plugin) return false;
                        // GTK ends the process on a lost display without a word: the lost
                        // display is ours to handle, so that the clips are saved first.
                        if (!std::exchange(ioHandlerReclaimed, true))
                          XDisplay::ReclaimConnectionLoss();
                        plugin->AddWaits(fds, timeoutMs);
                        return true;
                      },
                      [&](const std::vector<pollfd>& fds) { dialogs.Loaded()->Dispatch(fds); }});
  popup.Create(program.popup, program);
  editor.Bind(program.editor);
  copyMenu.SetItems({{editor_layout::kCopyClip,
                      [&] { RunHandler([&] { program.editor.CopyHighlightedClip1Click(); }); }},
                     {editor_layout::kPasteClip, [&] {
                        RunHandler([&] { program.editor.PastetoHighlightedClip1Click(); });
                      }}});
  hotKeyApi.onHotKey = [&] { RunHandler([&] { program.popup.HotKey1HotKey(); }); };
  folderWatch.onQuiet = [&] { RunHandler([&] { program.DataFolderQuiet(); }); };
  // The program loses the activation: the list hides (once the running handler is done).
  bool ownActive = false;
  loop.ListenElsewhere([&](XEvent& event) {
    if (event.type != PropertyNotify || event.xproperty.window != display.Root() ||
        event.xproperty.atom != display.atoms().netActiveWindow)
      return;
    const bool own = desktop.ProgramWindow(desktop.ActiveWindow());
    if (ownActive && !own) loop.Post([&] { RunHandler([&] { program.popup.AppDeactivate(); }); });
    ownActive = own;
  });
  // The end of the session (SIGTERM, SIGHUP, Ctrl+C) and a lost display: the data are saved
  // without a message box, as at the end of a Windows session.
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
  XDisplay::OnConnectionLost([&] { saveAtEnd(); });

  RunHandler([&] { program.FormCreate(); });
  const std::vector<TrayMenuItem> trayMenu{
      {"Settings...",
       [&] {
         settings.Open(program.settings);
         RunHandler([&] { program.SettingsClosed(); });
       }},
      {"Lock and Add Clip", [&] { editor.LockForUpdate(); }},
      {"Quit", [&] { RunHandler([&] { program.popup.Quit1Click(); }); }}};
  tray.SetMenu(trayMenu);
  // Where a StatusNotifierItem host runs (KDE, GNOME with AppIndicator, most Wayland panels)
  // the icon is an item on the session bus, with the same menu and tip; elsewhere, or once
  // that host has gone, it docks into the XEmbed tray.
  x11::TrayEvents trayEvents;
  for (const TrayMenuItem& item : trayMenu)
    trayEvents.commands.push_back({item.caption, item.chosen});
  std::unique_ptr<x11::TrayBackend> sni;
  const auto trayPictures = [] {
    return std::vector<x11::TrayPicture>{x11::ClipboardPicture(16), x11::ClipboardPicture(22),
                                         x11::ClipboardPicture(32)};
  };
  trayEvents.hostChanged = [&] {
    if (tray.Docked()) return;
    if (sni->HostRegistered()) {
      sni->Show(trayPictures(), tray.Tip());
    } else {
      sni->Remove();
      tray.Dock();
    }
  };
  sni = x11::SniTrayWhereHostRegistered(title, trayEvents);
  if (sni) {
    loop.AddPollSource({[&](std::vector<pollfd>& fds, int& timeoutMs) {
                          sni->AddWaits(fds, timeoutMs);
                          return true;
                        },
                        [&](const std::vector<pollfd>& fds) { sni->Dispatch(fds); }});
    tray.onTip = [&](const std::string& tip) { sni->SetTip(tip); };
  }
  if (sni && sni->Show(trayPictures(), tray.Tip()))
    DebugLog("tray item registered");
  else if (!dockedEarly)
    tray.Dock();
  RunHandler([&] { program.LoadPreferences(); });  // the settings dialog's part of start-up
  // Centred on the monitor the user works on, as the Windows window is when first shown.
  PlaceOnMonitor(popup, MonitorOfWork(desktop.LookAtScreens()), Centring::BothWays);
  if (!program.TerminateRequested()) {
    if (program.state.OneShotMode) popup.Show();
    RunHandler([&] { program.popup.FormActivate(); });
    RunHandler([&] { program.CheckHotKey(); });  // the key in effect after start-up
    DebugLog(std::string("hotkey ") + (program.hotKey.Works() ? "works" : "does not work"));
    loop.Run();
  }
  // The clip outlives the program where a clipboard manager runs.
  loop.Resume();
  clipboard.HandToManager();
  tray.LetNoticeBeSeen();
  DebugLog("exit");
  return 0;
}
