// Program entry: the program's objects in the order they are made, and their wiring.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/program.h"
#include "app/second_instance.h"
#include "base/app_error.h"
#include "base/product.h"
#include "editor/editor_controller.h"
#include "popup/popup_controller.h"
#include "settings/settings_controller.h"
#include "win32/app/application_window.h"
#include "win32/app/instance_lock.h"
#include "win32/app/tray_dialogs.h"
#include "win32/app/win32_save_services.h"
#include "win32/base/message_loop.h"
#include "win32/base/system_library.h"
#include "win32/editor/editor_dialog.h"
#include "win32/kit/pictures.h"
#include "win32/popup/popup_window.h"
#include "win32/services/hot_key_registration.h"
#include "win32/services/keyboard_layout.h"
#include "win32/services/tray_icon.h"
#include "win32/services/win32_code_page.h"
#include "win32/services/win32_desktop_services.h"
#include "win32/services/win32_file_system.h"
#include "win32/services/win32_folder_watch.h"
#include "win32/settings/settings_dialog.h"

#if defined(__GLIBCXX__)
// An exception that escapes everything ends the program at once. The library's own handler
// would print the exception's type to a console this program does not have, and bring 44 KB
// of name demangler into the executable for that.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
}  // namespace __gnu_cxx
#endif

using namespace qv;

namespace {

// Windows 11 puts a new program's icon under the overflow arrow.
constexpr const char* kTrayOverflowNote = QV_PRODUCT_NAME
    " runs in the notification area.\n"
    "If you do not see its icon beside the clock, click\n"
    "the arrow (^) there; drag the icon beside the clock\n"
    "to keep it in view.";
constexpr DWORD kWindows11Build = 22000;

// The build Windows really is: GetVersionEx answers what the manifest names.
DWORD WindowsBuild() {
  using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  const auto get = SystemFunction<GetVersion>("ntdll.dll", "RtlGetVersion");
  return get && get(&info) == 0 ? info.dwBuildNumber : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LoadLibrariesFromSystemFolderOnly();
  const std::string exePath = ExecutablePath(), folder = ExeDirectory(exePath);
  const std::string title = ApplicationTitle(exePath);
  ApplicationWindow application(title);
  PopupWindow popup;
  Win32DesktopServices desktop(application, popup);
  InstanceLock instanceLock(folder);
  if (instanceLock.AnotherInstance() != OtherInstance::None &&
      !MayRunBesideAnotherInstance(desktop, desktop, title, folder, instanceLock.AnotherInstance()))
    return 0;
  desktop.RememberForeground();
  TrayIcon tray(title);  // its balloon tells what a paste could not do
  Win32Disk files;
  const Win32CodePage codePage;
  Win32KeyboardLayout layout;
  Win32HotKeyRegistration hotKeyApi;
  SettingsDialog settings(application);
  EditorDialog editor(application, popup);
  Win32SaveServices saving(popup);
  Win32FolderWatch folderWatch;  // the data files another program replaces
  Program program({files, codePage, RolesOf(desktop, tray), hotKeyApi, layout, saving, folderWatch,
                   folderWatch.QuietTimer()},
                  {popup.View(), settings.View(), editor.View(), tray, TrayIcon::kTipCharacters},
                  DataPaths::InFolder(folder), title, [] { PostQuitMessage(0); });
  popup.Create(application.Handle(), program.popup, program);
  folderWatch.onQuiet = [&] { popup.Run([&] { program.DataFolderQuiet(); }); };
  hotKeyApi.onHotKey = [&] { popup.Run([&] { program.popup.HotKey1HotKey(); }); };
  popup.Run([&] { program.FormCreate(); });
  Win32TrayDialogs trayDialogs(program, settings, editor);
  tray.SetMenu([&](TrayCommand command) {
    popup.Run([&] { program.TrayMenuClick(command, trayDialogs); });
  });
  tray.SetIcon(LoadTrayIconPicture());
  popup.Run([&] { program.LoadPreferences(); });  // the settings dialog's part of start-up
  if (WindowsBuild() >= kWindows11Build) program.TellOnFirstStart(kTrayOverflowNote);
  // The framework shows the main window; its first activation minimises the application.
  if (program.state.OneShotMode) tray.LetSettle();
  if (popup.Handle() && !program.TerminateRequested()) {
    popup.Show();
    program.CheckHotKey();  // the key in effect after start-up, not the creation step's F5
    while (PumpMessage()) {
    }
  }
  instanceLock.Release();  // saved: an instance started while a balloon lingers may read them
  tray.Leave(program.notices.LingerAtExitMs());  // the rest goes with the process, more quickly
  ExitProcess(0);
}
