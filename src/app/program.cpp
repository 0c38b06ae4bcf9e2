#include "app/program.h"

#include "popup/popup_rules.h"

namespace qv {

Program::Program(Services services, ProgramViews views, DataPaths paths, std::string title,
                 std::function<void()> onEnd)
    : dataFiles_(services.files),
      hotKey(services.hotKeyApi),
      preferences(dataFiles_, paths.prefs, {views.popup.crlf, views.popup.crlfLf}, hotKey,
                  services.layout, state),
      popup(views.popup, state, library,
            {services.desktop.clipboard, services.desktop.keys, services.desktop.foreground,
             services.desktop.pointer, services.desktop.clock},
            preferences, *this),
      settings(views.settings, views.popup.form, preferences, hotKey, services.layout, state,
               services.desktop.pointer, services.desktop.messages),
      editor(views.editor, {views.popup.form, views.popup.slotList, views.popup.timer3}, state,
             library, services.desktop.pointer, services.desktop.messages, *this),
      hotKeyNotice(hotKey, preferences.values, services.layout, services.desktop.messages,
                   views.trayTip, title),
      services_(services),
      list_(views.popup),
      paths_(std::move(paths)),
      title_(std::move(title)),
      onEnd_(std::move(onEnd)) {
  for (const std::string* path : {&paths_.rows, &paths_.store, &paths_.prefs})
    dataFiles_.Watch(*path);
  // The form description's hot key, registered as the window is built; the component's
  // after-loading step then finds it registered.
  hotKey.SetKey(ParseShortcut("Ctrl+Alt+Down", services_.layout));
  hotKey.Loaded();
  popup.editorRowLoad = [this] { editor.RowClick(); };
}

void Program::FormCreate() {
  state.copyBuffer = {};
  if (services_.desktop.keys.CtrlHeld()) {
    state.OneShotMode = 1;
    list_.form.SetStayOnTop(true);
  }
  list_.form.SetWidth(kPanelWidth);
  hotKey.SetKey(ParseShortcut("F5", services_.layout));
  // The list shows what was loaded, the design rows when the rows file failed.
  try {
    library.Load(dataFiles_, paths_);
  } catch (...) {
    list_.slotList.SetItems(library.rows);
    throw;
  }
  list_.slotList.SetItems(library.rows);
}

void Program::CheckHotKey() {
  hotKeyNotice.Check(state.OneShotMode == 0);
}

void Program::SettingsClosed() {
  CheckHotKey();
  TellKeptVersions();
}

void Program::LoadPreferences() {
  preferences.Load();
  preferences.Apply();
}

void Program::Housekeeping() {
  try {
    library.Save(dataFiles_, paths_);
    preferences.Save();
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
  Housekeeping();
  return 1;
}

void Program::CloseMainWindow() {
  FormClose();
  terminateRequested_ = true;
  if (onEnd_) onEnd_();
}

}  // namespace qv
