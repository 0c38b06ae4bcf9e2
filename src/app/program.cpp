#include "app/program.h"

#include <utility>

#include "base/app_error.h"
#include "desktop/held_keys.h"
#include "popup/popup_rules.h"

namespace qv {

namespace {

// Windows ends a program that holds up the end of the session for about five seconds. Waits
// for a busy file end at this bound and no step starts after it; a step started within it
// takes its own time, so that the whole save takes about three seconds at most.
constexpr int kSessionEndSaveMs = 2000;

constexpr const char* kStillSavingMessage =
    "The clips are still being saved. Try again in a moment.";

std::string UnwritableFolderMessage(const std::string& title, const std::string& folder) {
  return title + " cannot save its clips: no file can be created in the folder " + folder +
         ", so nothing changed in this run can be saved.\n\nPut " + title +
         ".exe with its data files (" + kRowsFileName + ", " + kStoreFileName + ", " +
         kPrefsFileName +
         ") into a folder of your own, such as one in your Documents folder, and start it "
         "from there.";
}

// The list's notices go through `notifier`, which keeps them until they are seen.
PopupDesktop PopupDesktopOf(const DesktopRoles& roles, Notifier& notifier) {
  return {roles.clipboard,
          roles.activation,
          roles.pointer,
          roles.screens,
          {roles.pasteTarget, roles.keys, roles.keyState, roles.clock, notifier}};
}

}  // namespace

Program::Program(Services services, ProgramViews views, DataPaths paths, std::string title,
                 std::function<void()> onEnd)
    : deadline_(services.files, services.desktop.clock),
      retrying_(deadline_, deadline_),
      dataFiles_(retrying_),
      hotKey(services.hotKeyApi),
      preferences(dataFiles_, paths.prefs, services.codePage,
                  {views.popup.crlf, views.popup.crlfLf}, hotKey, services.layout, state),
      notices(services.desktop.notifier, views.trayTip),
      popup(views.popup, state, library, PopupDesktopOf(services.desktop, notices), preferences,
            notices, *this),
      settings(views.settings, views.popup.form, preferences, hotKey, services.layout, state,
               services.desktop.pointer, services.desktop.messages),
      editor(views.editor, {views.popup.form, views.popup.slotList, views.popup.timer3}, state,
             library, services.desktop.pointer, services.desktop.screens, services.desktop.messages,
             *this),
      hotKeyNotice(hotKey, preferences.values, services.layout, services.desktop.messages, notices,
                   title),
      services_(services),
      list_(views.popup),
      paths_(std::move(paths)),
      title_(std::move(title)),
      onEnd_(std::move(onEnd)) {
  for (const std::string* path : {&paths_.rows, &paths_.store, &paths_.prefs})
    dataFiles_.Watch(*path);
  // The form description's hot key; registered once start-up has settled on a key.
  hotKey.SetKey(ParseShortcut("Ctrl+Alt+Down", services_.layout));
  popup.editorRowLoad = [this] { editor.RowClick(); };
  editor.onUpdateOverOtherVersion = [this](int row) { KeepOtherVersionOf(row); };
}

void Program::FormCreate() {
  state.copyBuffer = {};
  if (CtrlHeld(services_.desktop.keyState)) {
    state.OneShotMode = 1;
    list_.form.SetStayOnTop(true);
  }
  list_.form.SetWidth(list_.layout.panel.width);  // Panel1 alone in view
  hotKey.SetKey(ParseShortcut("F5", services_.layout));
  const std::string folder = ExeDirectory(paths_.rows);
  if (!services_.saving.CanCreateFilesIn(folder)) {
    services_.desktop.messages.ShowMessage(
        MessageKind::Warning, UnwritableFolderMessage(title_, folder), MessageButtons::Ok);
  }
  // The list shows what was loaded, the design rows when the rows file failed.
  try {
    library.Load(dataFiles_, paths_, services_.codePage);
  } catch (...) {
    list_.slotList.SetItems(ListTexts(library.rows));
    throw;
  }
  list_.slotList.SetItems(ListTexts(library.rows));
}

void Program::CheckHotKey() {
  hotKeyNotice.Check(state.OneShotMode == 0);
}

void Program::SettingsClosed() {
  CheckHotKey();
  TellKeptVersions();
}

void Program::LoadPreferences() {
  // Whatever fails, start-up registers the key it has settled on, once.
  // From here on, what another program changes in the data folder is taken in: not before
  // start-up's own reads are done.
  const auto watch = [this] {
    if (!services_.folderWatch.Watch(ExeDirectory(paths_.rows),
                                     [this](const std::string& name) { DataFolderChanged(name); }))
      LookAtDataFolderLater();  // no word from the platform: the program looks itself
  };
  try {
    LoadAndApplyPreferences();
  } catch (...) {
    hotKey.Loaded();
    watch();
    throw;
  }
  hotKey.Loaded();
  watch();
}

void Program::LoadAndApplyPreferences() {
  try {
    preferences.Load();
  } catch (const AppError&) {
    // The file's settings are unknown: the key in effect (F5, which the tray tip names) is
    // what the dialog shows and what the next apply keeps, not the dialog's design text.
    preferences.values.hotKey = FormatShortcut(hotKey.Key(), services_.layout);
    throw;
  }
  preferences.Apply();
}

void Program::SaveAll() {
  if (saving_) throw AppError(kStillSavingMessage);
  saving_ = true;
  const struct Done {
    bool& saving;
    ~Done() { saving = false; }
  } done{saving_};
  library.Save(dataFiles_, paths_, services_.codePage);
  preferences.Save();
}

void Program::Housekeeping() {
  TellNotice(TakeInDataFiles());  // what another copy changed meanwhile is saved too
  try {
    SaveAll();
  } catch (...) {
    TellKeptVersions();
    throw;
  }
  TellKeptVersions();
}

void Program::TellKeptVersions() {
  const std::vector<KeptVersion> kept = dataFiles_.TakeKeptVersions();
  if (kept.empty()) return;
  const bool one = kept.size() == 1;
  std::string text = std::string("Another program changed ") +
                     (one ? "a data file" : "data files") + " after " + title_ + " had read " +
                     (one ? "it" : "them") + ". Both versions are kept:";
  for (const KeptVersion& version : kept) {
    text += "\n\n" + version.path + " holds " + title_ + "'s version;\n" + version.keptAs +
            " holds the version found on disk.";
  }
  services_.desktop.messages.ShowMessage(MessageKind::Warning, text, MessageButtons::Ok);
}

void Program::FormClose() {
  Housekeeping();
  state.copyBuffer = {};
}

int Program::WMQueryEndSession() {
  // Short texts: Windows shows them beside the program on its shut-down screen.
  services_.saving.HoldUpSessionEnd("Saving the clips.");
  if (saving_) return 0;  // asked while a save waits for a busy file: it goes on afterwards
  sessionEndFailure_.reset();
  try {
    const SaveDeadline::Bound bound = deadline_.Start(kSessionEndSaveMs);
    const std::string notice = TakeInDataFiles();
    sessionEndNotice_ += (sessionEndNotice_.empty() || notice.empty() ? "" : "\n\n") + notice;
    SaveAll();  // the versions kept meanwhile are told once the session goes on
  } catch (const AppError& error) {
    sessionEndFailure_ = error.what();
  }
  if (sessionEndFailure_) {
    services_.saving.HoldUpSessionEnd("The clips could not be saved.");
    return 0;
  }
  services_.saving.LetSessionEnd();
  return 1;
}

void Program::WMEndSession(bool ending) {
  if (ending) return;  // Windows ends the program now
  services_.saving.LetSessionEnd();
  TellNotice(std::exchange(sessionEndNotice_, {}));
  TellKeptVersions();
  if (sessionEndFailure_) throw AppError(*std::exchange(sessionEndFailure_, std::nullopt));
}

void Program::CloseMainWindow() {
  try {
    FormClose();
  } catch (const AppError& error) {
    if (saving_) throw;  // another save is under way: told, and Quit may be chosen again
    // A save that cannot succeed (a folder that takes no file) must not keep the program
    // alive for good: the user chooses.
    const MessageAnswer answer = services_.desktop.messages.ShowMessage(
        MessageKind::Error,
        ErrorBoxText(error.what()) + "\n\nEnd " + title_ +
            " without saving? What was changed since the last save is lost.",
        MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) throw SilentAbort();
  }
  terminateRequested_ = true;
  if (onEnd_) onEnd_();
}

}  // namespace qv
