#pragma once
// Start-up and saving, and the program-wide data every window shares.
#include <functional>
#include <string>

#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "desktop/preference_keeper.h"
#include "desktop/shared_state.h"
#include "desktop/shortcut.h"
#include "library/clip_library.h"
#include "library/disk_change_guard.h"
#include "library/file_system.h"
#include "library/housekeeper.h"
#include "popup/popup_controls.h"

namespace qv {

struct Services {
  FileSystem& files;
  KeyInjection& keys;
  MessageBoxes& messages;
  HotKeyRegistration& hotKeyApi;
  const KeyboardLayout& layout;
};

// The controls start-up and saving reach: the main window, its slot list, and the paste
// suffix buttons the preferences set.
struct ProgramControls {
  FormControl& mainWindow;
  ListBoxControl& slotList;
  SuffixButtons suffixButtons;
};

class Program : public MainWindowLifetime, public Housekeeper {
  // The data files are read and written through it, so that a version another program
  // wrote meanwhile is kept, not overwritten. First, as the members below use it.
  DiskChangeGuard dataFiles_;

 public:
  Program(Services services, ProgramControls controls, DataPaths paths);

  // Main window creation step: copy buffer, Ctrl test, width, hot key "F5", data files.
  void FormCreate();
  // The settings dialog's part of start-up: load and apply the preferences.
  void LoadPreferences();
  // Writes rows, store, preferences in that order; stops at the first failure. Tells the
  // user of data file versions kept because another program had changed them.
  void Housekeeping() override;
  // Tells the user, in one message, of the data file versions kept since the last time.
  void TellKeptVersions();
  // Main window close handler: Housekeeping, then the program may end.
  void FormClose();
  // Windows asks whether the log-on may end; returns the answer (1 after a good save).
  int WMQueryEndSession();
  // FormClose now; the program ends once the running handler has returned.
  void CloseMainWindow() override;
  // The main window has been closed: the message loop ends the program.
  bool TerminateRequested() const { return terminateRequested_; }
  // Ends the message loop once the running handler has returned (the framework's
  // Terminate); nested loops end with it.
  std::function<void()> onEnd;

  std::string title = "Quorvanel";  // names the program in what it tells the user
  SharedState state;
  ClipLibrary library;
  GlobalHotKey hotKey;
  PreferenceKeeper preferences;

 private:
  Services services_;
  ProgramControls controls_;
  DataPaths paths_;
  bool terminateRequested_ = false;
};

}  // namespace qv
