#pragma once
// A Program wired to fake controls and services, with data files in a fake folder "C:\Q\".
#include "app/program.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_file_system.h"
#include "settings/settings_controls.h"

namespace qv::test {

struct ProgramFixture {
  FakeFileSystem files;
  FakeDesktop desktop;
  FakeHotKeyRegistration hotKeyApi;
  DataPaths paths = DataPaths::InFolder("C:\\Q\\");

  // The main window.
  FakeForm popupWindow{{100, 50, 405, 496}};
  FakeFocus panel;
  FakeListBox slotList;
  FakeListBox labelColumn;
  FakeHintDisplay hintDisplay;
  LabelHint labelHint{hintDisplay};
  FakeButton crlf, crlfLf;
  FakeTimer timer1, timer3;
  // The settings dialog.
  FakeForm settingsWindow{{526, 452, 234, 145}};
  FakeText hotKeyBox{"Ctrl+Alt+Down"};
  FakeText delayBox{"100"};
  FakeLabel makerLabel;

  Program program{Services{files, desktop, desktop, hotKeyApi, PlainKeyboardLayout()},
                  ProgramControls{popupWindow, slotList, {crlf, crlfLf}}, paths};

  PopupView popupView{popupWindow, panel,  slotList, labelColumn, labelHint,
                      crlf,        crlfLf, timer1,   timer3};
  SettingsView settingsView{settingsWindow, hotKeyBox, delayBox, makerLabel};

  bool ended = false;  // the main window closed: the message loop would end

  ProgramFixture() {
    program.onEnd = [this] { ended = desktop.quit = true; };
    popupWindow.log = &desktop.log;
    std::vector<std::string> labels;
    for (int i = 0; i < 72; ++i) labels.push_back(std::to_string(i));
    labelColumn.SetItems(labels);
  }

  // Rows in the library and in the slot list, as a load leaves them.
  void SetRows(const SlotList& rows) {
    program.library.rows = rows;
    slotList.SetItems(rows);
  }
};

}  // namespace qv::test
