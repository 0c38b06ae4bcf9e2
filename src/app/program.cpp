#include "app/program.h"

namespace qv {

namespace {
constexpr int kPopupWidth = 249;
}

Program::Program(Services services, ProgramControls controls, DataPaths paths)
    : hotKey(services.hotKeyApi),
      preferences(services.files, paths.prefs, controls.preferences, hotKey, services.layout,
                  state),
      services_(services),
      controls_(controls),
      paths_(std::move(paths)) {
  // The form description's hot key, registered as the window is built; the component's
  // after-loading step then finds it registered.
  hotKey.SetKey(ParseShortcut("Ctrl+Alt+Down", services_.layout));
  hotKey.Loaded();
}

void Program::FormCreate() {
  state.copyBuffer = {};
  if (services_.desktop.CtrlHeld()) {
    state.OneShotMode = 1;
    controls_.mainWindow.SetStayOnTop(true);
  }
  controls_.mainWindow.SetWidth(kPopupWidth);
  hotKey.SetKey(ParseShortcut("F5", services_.layout));
  // The list shows what was loaded, the design rows when the rows file failed.
  try {
    library.Load(services_.files, paths_);
  } catch (...) {
    controls_.slotList.SetItems(library.rows);
    throw;
  }
  controls_.slotList.SetItems(library.rows);
}

void Program::Housekeeping() {
  library.Save(services_.files, paths_);
  preferences.InitializeParameters("ParmUpdate");
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
