#include "app/program.h"

#include <utility>

#include "base/app_error.h"
#include "desktop/held_keys.h"
#include "library/paste_delay.h"
#include "popup/popup_rules.h"

namespace qv {

namespace {

// Windows ends a program that holds up the end of the session for about five seconds. Waits
// for a busy file end at this bound and no step starts after it; a step started within it
// takes its own time, so that the whole save takes about three seconds at most.
constexpr int kSessionEndSaveMs = 2000;

constexpr const char* kStillSavingMessage =
    "The clips are still being saved. Try again in a moment.";

std::string UnwritableFolderMessage(const std::string& title, const std::string& folder,
                                    const PlatformWords& words) {
  const std::string file = words.programFile.empty() ? title + ".exe" : words.programFile;
  return title + " cannot save its clips: no file can be created in the folder " + folder +
         ", so nothing changed in this run can be saved.\n\nPut " + file +
         " with its data files (" + kRowsFileName + ", " + kStoreFileName + ", " + kPrefsFileName +
         ") into a folder of your own, such as one in " + words.ownFolder +
         ", and start it from there.";
}

// The list's notices go through `notifier`, which keeps them until they are seen.
PopupDesktop PopupDesktopOf(const DesktopRoles& roles, Notifier& notifier,
                            const PlatformWords& words) {
  return {roles.clipboard,
          roles.activation,
          roles.pointer,
          roles.screens,
          {roles.pasteTarget, roles.keys, roles.keyState, roles.clock, notifier, words}};
}

}  // namespace

Program::Program(Services services, ProgramViews views, DataPaths paths, std::string title,
                 std::function<void()> onEnd)
    : deadline_(services.files, services.desktop.clock),
      retrying_(deadline_, deadline_),
      dataFiles_(retrying_),
      codePage_(services.codePage),
      messages_(services.desktop.messages, [this] { popup.CancelPaste(); }),
      hotKey(services.hotKeyApi),
      preferences(dataFiles_, paths.prefs, codePage_, {views.popup.crlf, views.popup.crlfLf},
                  hotKey, services.layout, state),
      notices(services.desktop.notifier, views.trayTip, views.trayTipCharacters,
              services.desktop.clock),
      popup(views.popup, state, library, PopupDesktopOf(services.desktop, notices, services.words),
            preferences, notices, *this),
      settings(views.settings, views.popup.form, preferences, hotKey, services.layout, state,
               services.desktop.pointer, messages_),
      editor(views.editor, {views.popup.form, views.popup.slotList, views.popup.timer3}, state,
             library, services.desktop.pointer, services.desktop.screens, messages_, *this),
      hotKeyNotice(hotKey, preferences.values, services.layout, messages_, notices, title,
                   services.words),
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
    messages_.ShowMessage(MessageKind::Warning,
                          UnwritableFolderMessage(title_, folder, services_.words),
                          MessageButtons::Ok);
  }
  // The list shows what was loaded, the design rows when the rows file failed.
  try {
    library.Load(dataFiles_, paths_, codePage_);
  } catch (...) {
    list_.slotList.SetItems(ListTexts(library.rows));
    throw;
  }
  list_.slotList.SetItems(ListTexts(library.rows));
}

void Program::CheckHotKey() {
  hotKeyNotice.Check(state.OneShotMode == 0);
}

void Program::TellOnFirstStart(const std::string& note) {
  std::string& flags = preferences.values.ParamFlags;
  if (state.OneShotMode != 0 || (flags.size() > 1 && flags[1] != '0')) return;
  if (flags.size() < 2) flags.resize(2, '0');
  flags[1] = '1';  // saved with the preferences
  services_.desktop.notifier.Notify(note);
}

void Program::SettingsClosed() {
  CheckHotKey();
  TellKeptVersions();
}

void Program::TrayMenuClick(TrayCommand command, TrayDialogs& dialogs) {
  popup.CancelPaste();
  switch (command) {
    case TrayCommand::Settings:
      dialogs.OpenSettings();
      SettingsClosed();
      break;
    case TrayCommand::LockAndAdd:
      dialogs.OpenEditor();
      break;
    case TrayCommand::Quit:
      Quit1Click();
      break;
  }
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
    TellCodePage();
    throw;
  }
  hotKey.Loaded();
  watch();
  TellCodePage();
}

void Program::TellCodePage() {
  if (const std::string notice = codePage_.TakeNotice(); !notice.empty()) notices.Notify(notice);
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
  TellNotice(DelayBeyondBoundsNotice(state.PasteDelayMs));
}

void Program::SaveAll() {
  if (saving_) throw AppError(kStillSavingMessage);
  saving_ = true;
  const struct Done {
    bool& saving;
    ~Done() { saving = false; }
  } done{saving_};
  library.Save(dataFiles_, paths_, codePage_);
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
  messages_.ShowMessage(MessageKind::Warning, text, MessageButtons::Ok);
}

void Program::FormClose() {
  Housekeeping();
  state.copyBuffer = {};
}

bool Program::SaveInTime() {
  sessionEndFailure_.reset();
  try {
    const SaveDeadline::Bound bound = deadline_.Start(kSessionEndSaveMs);
    const std::string notice = TakeInDataFiles();
    sessionEndNotice_ += (sessionEndNotice_.empty() || notice.empty() ? "" : "\n\n") + notice;
    SaveAll();  // the versions kept meanwhile are told once the user is back
  } catch (const AppError& error) {
    sessionEndFailure_ = error.what();
  }
  return !sessionEndFailure_;
}

void Program::TellWhatWaited() {
  TellNotice(std::exchange(sessionEndNotice_, {}));
  TellKeptVersions();
  if (!sessionEndFailure_) return;
  popup.CancelPaste();  // the error's box, like every other, drops a paste still waiting
  throw AppError(*std::exchange(sessionEndFailure_, std::nullopt));
}

int Program::WMQueryEndSession() {
  // Short texts: Windows shows them beside the program on its shut-down screen.
  services_.saving.HoldUpSessionEnd("Saving the clips.");
  if (saving_) return 0;  // asked while a save waits for a busy file: it goes on afterwards
  if (!SaveInTime()) {
    services_.saving.HoldUpSessionEnd("The clips could not be saved.");
    return 0;
  }
  services_.saving.LetSessionEnd();
  return 1;
}

void Program::WMEndSession(bool ending) {
  if (ending) return;  // Windows ends the program now
  services_.saving.LetSessionEnd();
  TellWhatWaited();
}

void Program::Suspending() {
  if (!saving_) SaveInTime();  // a save under way goes on after the resume
}

void Program::Resumed() {
  TellWhatWaited();
}

void Program::CloseMainWindow() {
  try {
    FormClose();
  } catch (const AppError& error) {
    if (saving_) throw;  // another save is under way: told, and Quit may be chosen again
    // A save that cannot succeed (a folder that takes no file) must not keep the program
    // alive for good: the user chooses.
    const MessageAnswer answer =
        messages_.ShowMessage(MessageKind::Error,
                              ErrorBoxText(error.what()) + "\n\nEnd " + title_ +
                                  " without saving? What was changed since the last save is lost.",
                              MessageButtons::YesNo);
    if (answer != MessageAnswer::Yes) throw SilentAbort();
  }
  terminateRequested_ = true;
  if (onEnd_) onEnd_();
}

}  // namespace qv
