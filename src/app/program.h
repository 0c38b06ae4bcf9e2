#pragma once
// Start-up and saving, and the program-wide data every window shares.
#include <functional>
#include <optional>
#include <string>

#include "app/save_deadline.h"
#include "app/save_services.h"
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
  Clock& clock;
  FolderAccess& folder;
  SessionEndNotice& sessionEnd;
};

// The controls start-up and saving reach: the main window, its slot list, and the paste
// suffix buttons the preferences set.
struct ProgramControls {
  FormControl& mainWindow;
  ListBoxControl& slotList;
  SuffixButtons suffixButtons;
};

class Program : public MainWindowLifetime, public Housekeeper {
  // The data files are read and written through these, so that a version another program
  // wrote meanwhile is kept, not overwritten, and the save at the end of the session ends
  // in time. First, as the members below use them.
  SaveDeadline deadline_;
  DiskChangeGuard dataFiles_;

 public:
  Program(Services services, ProgramControls controls, DataPaths paths);

  // Main window creation step: copy buffer, Ctrl test, width, hot key "F5", data files. A
  // folder that takes no new file is told here, once.
  void FormCreate();
  // The settings dialog's part of start-up: load and apply the preferences. When the file
  // cannot be read, the hot key in effect stays and is what the preferences hold.
  void LoadPreferences();
  // Writes rows, store, preferences in that order; stops at the first failure. Tells the
  // user of data file versions kept because another program had changed them.
  void Housekeeping() override;
  // Tells the user, in one message, of the data file versions kept since the last time.
  void TellKeptVersions();
  // Main window close handler: Housekeeping, then the program may end.
  void FormClose();
  // Windows asks whether the log-on may end; returns the answer (1 after a good save). Opens
  // no message box: a failure is Windows' to show as the reason the program holds the
  // session up, and is told once the session goes on.
  int WMQueryEndSession();
  // Windows has decided: `ending` false when the session goes on.
  void WMEndSession(bool ending);
  // FormClose now; the program ends once the running handler has returned. After a failed
  // save the user chooses to end without saving, or to keep the program: SilentAbort then
  // ends the running handler, the main window staying as it was.
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
  // Rows, store and preferences; throws at the first failure.
  void SaveAll();

  Services services_;
  ProgramControls controls_;
  DataPaths paths_;
  bool terminateRequested_ = false;
  std::optional<std::string> sessionEndFailure_;  // told once the session goes on
};

}  // namespace qv
