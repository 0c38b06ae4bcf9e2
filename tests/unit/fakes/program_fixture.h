#pragma once
// A Program wired to fakes, with data files in a fake folder "C:\Q\".
#include "app/program.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_file_system.h"

namespace qv::test {

struct ProgramFixture {
  FakeFileSystem files;
  FakeDesktop desktop;
  FakePopupWindow popupWindow;
  FakeSettingsWindow settingsWindow;
  FakeHotKeyRegistration hotKeyApi;
  DataPaths paths = DataPaths::InFolder("C:\\Q\\");
  Program program{
      Services{files, desktop, popupWindow, settingsWindow, hotKeyApi, PlainKeyboardLayout()},
      paths};

  ProgramFixture() { popupWindow.log = &desktop.log; }
};

}  // namespace qv::test
