// Program entry: builds the windows in their order, connects them to the logic and runs
// the message loop.
#include <windows.h>

#include <string>
#include <vector>

#include "app/application_window_win32.h"
#include "app/copy_lock_win32.h"
#include "app/program.h"
#include "app/second_copy.h"
#include "base/app_error.h"
#include "desktop/desktop_services_win32.h"
#include "desktop/error_box_win32.h"
#include "desktop/gdi_win32.h"
#include "desktop/hot_key_notice.h"
#include "desktop/hot_key_registration_win32.h"
#include "desktop/keyboard_layout_win32.h"
#include "desktop/message_loop_win32.h"
#include "desktop/pictures_win32.h"
#include "desktop/tray_icon_win32.h"
#include "desktop/window_names.h"
#include "editor/editor_controller.h"
#include "editor/editor_dialog_win32.h"
#include "library/file_system_win32.h"
#include "popup/popup_controller.h"
#include "popup/popup_window_win32.h"
#include "settings/settings_controller.h"
#include "settings/settings_dialog_win32.h"

namespace {

// The tray menu; its items' pictures go to `pictures`, which must outlive it.
HMENU CreateTrayMenu(std::vector<qv::UniqueBitmap>& pictures) {
  struct Item {
    int command;
    const char* caption;
    qv::MenuPicture picture;
  };
  const Item items[] = {{qv::kCmdSettings, "Settings...", qv::MenuPicture::Settings},
                        {qv::kCmdLockAndAdd, "Lock and Add Clip", qv::MenuPicture::LockAndAdd},
                        {qv::kCmdQuit, "Quit", qv::MenuPicture::Quit}};
  HMENU menu = CreatePopupMenu();
  for (const Item& item : items) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.caption);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    pictures.emplace_back(qv::CreateMenuPicture(item.picture));
    info.hbmpItem = pictures.back().get();
    SetMenuItemInfoA(menu, static_cast<UINT>(item.command), FALSE, &info);
  }
  return menu;
}

// Wine's tray hosts take the activation for a moment when an icon is added; a pop-up that
// must stay up (one-shot mode) waits for that before it shows, or it would end at once.
void LetTrayIconSettle(HWND startForeground) {
  // Wait for the first change of the foreground (none comes on Windows), then until it has
  // stayed put for a while, within a bound.
  constexpr DWORD kFirstChangeMs = 500, kSteadyMs = 200, kLongestMs = 1500;
  const DWORD start = GetTickCount();
  HWND seen = startForeground;
  DWORD lastChange = 0;
  bool changed = false;
  while (GetTickCount() - start < kLongestMs) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return PostQuitMessage(static_cast<int>(msg.wParam));
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    const DWORD now = GetTickCount();
    if (HWND foreground = GetForegroundWindow(); foreground != seen) {
      seen = foreground;
      lastChange = now;
      changed = true;
    }
    if (!changed && now - start >= kFirstChangeMs) return;
    if (changed && now - lastChange >= kSteadyMs) return;
    Sleep(10);
  }
}

// The settle wait above is for Wine's tray hosts only.
bool RunsUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string ExecutablePath() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const std::string exePath = ExecutablePath();
  const std::string title = qv::ApplicationTitle(exePath);
  qv::SetErrorBoxTitle(title);

  qv::ApplicationWindow application(title);
  qv::PopupWindow popup;
  qv::Win32FileSystem files;
  qv::Win32DesktopServices desktop(application, popup);
  const std::string folder = qv::ExeDirectory(exePath);
  const qv::CopyLock copyLock(qv::CopyLockName(folder));
  if (copyLock.AnotherCopyRuns() && !qv::MayRunBesideAnotherCopy(desktop, desktop, title, folder))
    return 0;
  desktop.RememberForeground();
  HWND startForeground = GetForegroundWindow();
  qv::Win32KeyboardLayout layout;
  qv::Win32HotKeyRegistration hotKeyApi;
  qv::SettingsDialog settings;
  qv::EditorDialog editor;

  const qv::PopupView popupView = popup.View();
  qv::Program program(
      qv::Services{files, desktop, desktop, hotKeyApi, layout},
      qv::ProgramControls{popup, popupView.slotList, {popupView.crlf, popupView.crlfLf}},
      qv::DataPaths::InFolder(folder));
  program.title = title;
  program.onEnd = [] { PostQuitMessage(0); };
  qv::TrayIcon tray;  // its balloon tells what a paste could not do
  tray.balloonTitle = title;
  qv::PopupController popupLogic(popupView, program.state, program.library,
                                 {desktop, desktop, desktop, desktop, desktop, tray},
                                 program.preferences, program);
  qv::SettingsController settingsLogic(settings.View(), popup, program.preferences, program.hotKey,
                                       layout, program.state, desktop, desktop);
  qv::Win32PopupMenu copyMenu;
  qv::EditorController editorLogic(editor.View(), {popup, popupView.slotList, popupView.timer3},
                                   copyMenu, program.state, program.library, desktop, desktop,
                                   program);
  popupLogic.editorRowLoad = [&] { editorLogic.RowClick(); };
  qv::PopupWindowEvents popupEvents;
  popupEvents.close = [&] { program.CloseMainWindow(); };
  popupEvents.queryEndSession = [&] { return program.WMQueryEndSession(); };
  popupEvents.listMouseDown = [&](bool left) { editorLogic.RxCheckListBox1MouseDown(left); };
  popupEvents.listMouseUp = [&](bool right) { editorLogic.RxCheckListBox1MouseUp(right); };
  popup.Create(application.Handle(), popupLogic, std::move(popupEvents));
  settings.Create(application.Handle(), settingsLogic);
  hotKeyApi.onHotKey = [&] { program.hotKey.Fire(); };
  program.hotKey.OnHotKey = [&] { popup.Run([&] { popupLogic.HotKey1HotKey(); }); };
  qv::SetMessagePreview([&](const MSG& msg) {
    // Keyboard preview: the main window sees every key press before its controls.
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    HWND main = popup.Handle();
    if (keyDown && main && (msg.hwnd == main || IsChild(main, msg.hwnd)))
      popup.PreviewKey(static_cast<unsigned>(msg.wParam));
  });

  // The main window's creation step, then the tray icon once it has loaded.
  popup.Run([&] { program.FormCreate(); });
  std::vector<qv::UniqueBitmap> menuPictures;
  // The tip says whether the hot key works; one that does not is told once (not in one-shot
  // mode, where the hot key is not what the user works with).
  qv::HotKeyNotice hotKeyNotice(program.hotKey, program.preferences.values, layout, desktop, tray,
                                title);
  const auto checkHotKey = [&] { hotKeyNotice.Check(program.state.OneShotMode == 0); };
  tray.SetMenu(CreateTrayMenu(menuPictures));
  tray.onCommand = [&](int command) {
    switch (command) {
      case qv::kCmdSettings:
        popup.Run([&] { settingsLogic.SettingsClick(); });
        checkHotKey();               // the dialog applies the key again, or a new one
        program.TellKeptVersions();  // "OK" saves the preferences
        break;
      case qv::kCmdLockAndAdd:
        popup.Run([&] { editorLogic.LockForUpdate1Click(); });
        break;
      case qv::kCmdQuit:
        popup.Run([&] { popupLogic.Quit1Click(); });
        break;
      default:
        break;
    }
  };
  tray.SetIcon(qv::CreateTrayIconPicture());

  // The settings dialog's creation step loads and applies the preferences.
  settings.Run([&] { program.LoadPreferences(); });

  // The editor dialog is created last, and the copy menu it works with on the list.
  editor.Create(application.Handle(), editorLogic);
  copyMenu.Create(popup.Handle(),
                  {{"Copy Clip", [&] { editorLogic.CopyHighlightedClip1Click(); }},
                   {"Paste Clip", [&] { editorLogic.PastetoHighlightedClip1Click(); }}});

  // The framework shows the main window; its first activation minimises the application.
  if (program.state.OneShotMode && RunsUnderWine()) LetTrayIconSettle(startForeground);
  if (popup.Handle() && !program.TerminateRequested()) {
    popup.Show();
    checkHotKey();  // the key in effect after start-up, not the creation step's F5
    while (qv::PumpMessage()) {
    }
  }
  qv::SetMessagePreview(nullptr);
  tray.LetBalloonBeSeen();
  // The icon leaves the tray now; the windows and every other handle go with the process,
  // which is quicker than taking them down one by one.
  tray.Deactivate();
  ExitProcess(0);
}
