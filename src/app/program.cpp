#include "app/program.h"

namespace qv {

namespace {
constexpr int kPopupWidth = 249;
}

Program::Program(Services s, DataPaths p) : services(s), paths(std::move(p)), hotKey(s.hotKeyApi) {
  // The form description's hot key, registered as the window is built.
  hotKey.SetKey(ParseShortcut("Ctrl+Alt+Down", services.layout));
}

void Program::FormCreate() {
  state.copyBuffer = {};
  if (services.desktop.CtrlHeld()) {
    state.OneShotMode = 1;
    services.popupWindow.SetStayOnTop(true);
  }
  services.popupWindow.SetWidth(kPopupWidth);
  hotKey.SetKey(ParseShortcut("F5", services.layout));
  library.Load(services.files, paths);
}

void Program::SettingsFormCreate() {
  InitializeParameters("PgmStart");
  InitializeParameters("PgmUpdate");
}

void Program::InitializeParameters(std::string_view mode) {
  PreferenceTargets targets{services.files, paths.prefs,     settings,           popup,
                            hotKey,         services.layout, state.PasteDelayMs, state.ParamFlags};
  qv::InitializeParameters(mode, targets);
}

void Program::Housekeeping() {
  library.Save(services.files, paths);
  InitializeParameters("ParmUpdate");
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
  state.terminateRequested = true;
}

}  // namespace qv
