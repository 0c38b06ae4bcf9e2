#include "app/program.h"

#include "popup/popup_rules.h"

namespace qv {

Program::Program(Services services, ProgramControls controls, DataPaths paths)
    : dataFiles_(services.files),
      hotKey(services.hotKeyApi),
      preferences(dataFiles_, paths.prefs, controls.suffixButtons, hotKey, services.layout, state),
      services_(services),
      controls_(controls),
      paths_(std::move(paths)) {
  for (const std::string* path : {&paths_.rows, &paths_.store, &paths_.prefs})
    dataFiles_.Watch(*path);
  // The form description's hot key, registered as the window is built; the component's
  // after-loading step then finds it registered.
  hotKey.SetKey(ParseShortcut("Ctrl+Alt+Down", services_.layout));
  hotKey.Loaded();
}

void Program::FormCreate() {
  state.copyBuffer = {};
  if (services_.keys.CtrlHeld()) {
    state.OneShotMode = 1;
    controls_.mainWindow.SetStayOnTop(true);
  }
  controls_.mainWindow.SetWidth(kPanelWidth);
  hotKey.SetKey(ParseShortcut("F5", services_.layout));
  // The list shows what was loaded, the design rows when the rows file failed.
  try {
    library.Load(dataFiles_, paths_);
  } catch (...) {
    controls_.slotList.SetItems(ListTexts(library.rows));
    throw;
  }
  controls_.slotList.SetItems(ListTexts(library.rows));
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
                     (one ? "a data file" : "data files") + " after " + title + " had read " +
                     (one ? "it" : "them") + ". Both versions are kept:";
  for (const KeptVersion& version : kept) {
    text += "\n\n" + version.path + " holds " + title + "'s version;\n" + version.keptAs +
            " holds the version found on disk.";
  }
  services_.messages.ShowMessage(MessageKind::Warning, text, MessageButtons::Ok);
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
  if (onEnd) onEnd();
}

}  // namespace qv
