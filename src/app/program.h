#pragma once
// The program's logic as one object: start-up, saving, and the state every window shares.
#include <string>
#include <string_view>

#include "app/program_state.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/clip_library.h"
#include "library/file_system.h"
#include "library/preferences.h"
#include "popup/popup_controls.h"
#include "settings/settings_controls.h"

namespace qv {

struct Services {
  FileSystem& files;
  DesktopServices& desktop;
  PopupWindowOps& popupWindow;
  SettingsWindowOps& settingsWindow;
  HotKeyRegistration& hotKeyApi;
  const KeyboardLayout& layout;
};

class Program {
 public:
  Program(Services services, DataPaths paths);

  // Main window creation step: copy buffer, Ctrl test, width, hot key "F5", data files.
  void FormCreate();
  // Settings dialog creation step: load and apply the preferences.
  void SettingsFormCreate();
  // Writes rows, store, preferences in that order; stops at the first failure.
  void Housekeeping();
  // Main window close handler: Housekeeping, then the program may end.
  void FormClose();
  // Windows asks whether the log-on may end; returns the answer (1 after a good save).
  int WMQueryEndSession();
  // Closes the main window: FormClose now, the program ends after the running handler.
  void CloseMainWindow();
  void InitializeParameters(std::string_view mode);

  Services services;
  DataPaths paths;
  ProgramState state;
  ClipLibrary library;
  PopupControls popup;
  SettingsControls settings;
  GlobalHotKey hotKey;
};

}  // namespace qv
