#pragma once
// The program's logic as one object: start-up and saving, the data every window shares, and
// the handlers of the three windows, wired to each other.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/save_deadline.h"
#include "app/save_services.h"
#include "base/platform_words.h"
#include "desktop/controls.h"
#include "desktop/desktop_services.h"
#include "desktop/folder_watch.h"
#include "desktop/global_hot_key.h"
#include "desktop/paste_dropping_messages.h"
#include "desktop/shortcut.h"
#include "editor/editor_controller.h"
#include "editor/editor_controls.h"
#include "library/clip_library.h"
#include "library/disk_change_guard.h"
#include "library/file_system.h"
#include "library/housekeeper.h"
#include "library/noting_code_page.h"
#include "library/retrying_file_system.h"
#include "popup/popup_controller.h"
#include "popup/popup_controls.h"
#include "settings/settings_controller.h"
#include "settings/settings_controls.h"
#include "state/preference_keeper.h"
#include "state/shared_state.h"
#include "tray/hot_key_notice.h"
#include "tray/notice_board.h"
#include "tray/tray_menu.h"

namespace qv {

struct Services {
  FileSystem& files;         // one attempt per step: the program waits for a busy file itself
  const CodePage& codePage;  // of data files without a byte order mark
  DesktopRoles desktop;
  HotKeyRegistration& hotKeyApi;
  const KeyboardLayout& layout;
  SaveServices& saving;
  // The data folder's changes, and a timer that tells when they have stopped for a while.
  FolderWatch& folderWatch;
  TimerControl& quietTimer;
  PlatformWords words{};  // the platform's phrases in the program's messages
};

// The controls of the three windows, and the tray icon's tip with as many characters as the
// notification area shows.
struct ProgramViews {
  PopupView popup;
  SettingsView settings;
  EditorView editor;
  TipControl& trayTip;
  std::size_t trayTipCharacters;
};

class Program : public MainWindowEvents, public Housekeeper {
  // The data files are read and written through these, so that a file held for a moment is
  // waited for (handling messages meanwhile), a version another program wrote meanwhile is
  // kept, not overwritten, and the save at the end of the session ends in time. First, as
  // the members below use them.
  SaveDeadline deadline_;
  RetryingFileSystem retrying_;
  DiskChangeGuard dataFiles_;
  NotingCodePage codePage_;
  // Every box the program opens drops a paste still waiting; the windows' handlers get these.
  PasteDroppingMessages messages_;

 public:
  // `title` names the program in what it tells the user; `onEnd` ends the message loop once
  // the running handler has returned (the framework's Terminate), nested loops with it.
  Program(Services services, ProgramViews views, DataPaths paths, std::string title,
          std::function<void()> onEnd);

  // Main window creation step: copy buffer, Ctrl test, width, hot key "F5", data files. A
  // folder that takes no new file is told here, once.
  void FormCreate();
  // The settings dialog's part of start-up: load and apply the preferences, then register
  // the hot key (the only registration of start-up) and start watching the data folder.
  // When the file cannot be read, the hot key in effect stays and is what the preferences
  // hold.
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
  int WMQueryEndSession() override;
  // Windows has decided: `ending` false when the session goes on.
  void WMEndSession(bool ending) override;
  void Suspending() override;
  void Resumed() override;
  // FormClose now; the program ends once the running handler has returned. After a failed
  // save the user chooses to end without saving, or to keep the program: SilentAbort then
  // ends the running handler, the main window staying as it was.
  void CloseMainWindow() override;
  // The slot list's mouse buttons are the editor's (its copy menu).
  void RxCheckListBox1MouseDown(bool leftButton) override {
    editor.RxCheckListBox1MouseDown(leftButton);
  }
  void RxCheckListBox1MouseUp(bool rightButton) override {
    editor.RxCheckListBox1MouseUp(rightButton);
  }
  // Runs whenever the hot key may have changed (after start-up, after the settings dialog):
  // the tray tip follows, and a key that does not work is told once (not in one-shot mode,
  // where the hot key is not what the user works with).
  void CheckHotKey();
  // The first start (ParamFlags' second character still "0") shows `note` in a balloon, and
  // records that it has: what a new user must know of the platform, told once. Not in
  // one-shot mode, which is on its way to a paste.
  void TellOnFirstStart(const std::string& note);
  // The settings dialog has closed: it applies the key again, or a new one, and "OK" saves
  // the preferences.
  void SettingsClosed();
  // Tray menu "Quit": edits not written by Update Clip are asked about first, as Close does.
  void Quit1Click() {
    if (editor.MayQuit()) popup.Quit1Click();
  }
  // A tray menu command, the dialogs it opens the front end's. A paste still waiting out its
  // delay is dropped first: a dialog modal inside that wait would let its Ctrl+V go out
  // into whatever has the focus when the dialog closes.
  void TrayMenuClick(TrayCommand command, TrayDialogs& dialogs);
  // A file of the data folder changed (its name): a data file is taken in once the folder
  // has been quiet for a moment, since a sync engine writes the files of one edit a moment
  // apart; a conflict copy a sync engine made of one is told, once.
  void DataFolderChanged(const std::string& name);
  // The quiet timer fired.
  void DataFolderQuiet();
  // The main window has been closed: the message loop ends the program.
  bool TerminateRequested() const { return terminateRequested_; }

  SharedState state;
  ClipLibrary library;
  GlobalHotKey hotKey;
  PreferenceKeeper preferences;
  NoticeBoard notices;  // before the windows' handlers, which tell through it
  // The windows' handlers.
  PopupController popup;
  SettingsController settings;
  EditorController editor;
  HotKeyNotice hotKeyNotice;

 private:
  // Rows, store and preferences; throws at the first failure.
  void SaveAll();
  // A save Windows waits for (the session's end, a suspend), bounded in time; a failure and
  // the notices are kept, to be told by TellWhatWaited once the user is back.
  bool SaveInTime();
  void TellWhatWaited();
  void LoadAndApplyPreferences();
  // Data files another program changed since they were last loaded or saved are merged
  // into what the program holds; what the user must know is returned. Both versions of a
  // slot or preference changed on both sides are kept: this machine's in use, the other's
  // beside the files.
  std::string TakeInDataFiles();
  // Sync engines' conflict copies of the rows and store files, paired by name, merged in
  // slot by slot and moved aside; what the user must know is returned.
  std::string TakeInConflictCopies();
  // A data file that is not whole (or `damaged`): waited for while it changes, told once
  // when it stays so; the text to add to the notice.
  std::string StillNotWhole(const std::string& path, const std::string& bytes,
                            bool damaged = false);
  void TellNotice(const std::string& text);
  // Which code page an old file was read in, once, where the user may not expect it.
  void TellCodePage();
  // The quiet timer comes in a few seconds, as when the folder changed.
  void LookAtDataFolderLater();
  // The slot list after a take-in: rows that changed, the page and selection kept.
  void ShowTakenInRows(const SlotList& before);
  // Update Clip wrote over another copy's version of the row's slot: the files on disk,
  // which hold it, are kept beside, and the user is told.
  void KeepOtherVersionOf(int row);
  // Keeps each (path, bytes) beside its file; the text telling where.
  std::string KeepBeside(const std::vector<std::pair<std::string, std::string>>& versions);

  Services services_;
  PopupView list_;
  DataPaths paths_;
  std::string title_;
  std::function<void()> onEnd_;
  bool terminateRequested_ = false;
  // A save waits for a busy file while handling messages: what runs meanwhile (Quit, the end
  // of the session) must not write the same files under it.
  bool saving_ = false;
  std::optional<std::string> sessionEndFailure_;  // told once the session goes on
  std::string sessionEndNotice_;                  // likewise
  std::set<std::string> conflictCopiesTold_;
  std::vector<std::string> conflictCopiesToTell_;
  bool takingIn_ = false;
  // A file was not whole or was held at the last look: the quiet timer comes again.
  bool waitForWholeFiles_ = false;
  struct NotWholeFile {
    std::string bytes;
    std::int64_t sinceMs = 0;
    bool told = false;
  };
  std::map<std::string, NotWholeFile> notWhole_;
};

}  // namespace qv
