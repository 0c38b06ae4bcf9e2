#pragma once
// A Program wired to fake controls and services, with data files in a fake folder "C:\Q\".
#include "app/program.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_controls.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_file_system.h"

namespace qv::test {

class FakeSaveServices : public SaveServices {
 public:
  std::string sessionEndReason;  // empty: the session may end
  bool CanCreateFilesIn(const std::string&) override { return true; }
  void HoldUpSessionEnd(const std::string& reason) override { sessionEndReason = reason; }
  void LetSessionEnd() override { sessionEndReason.clear(); }
};

struct ProgramFixture {
  FakeFileSystem files;
  FakeCodePage codePage;
  FakeDesktop desktop;
  FakeHotKeyRegistration hotKeyApi;
  FakeSaveServices saving;
  FakeFolderWatch folderWatch;
  FakeTimer quietTimer;
  DataPaths paths = DataPaths::InFolder("C:\\Q\\");

  // The main window.
  FakeForm popupWindow{{100, 50, 405, 496}};
  FakeFocus panel;
  FakeListBox slotList;
  FakeListBox labelColumn;
  FakeHintDisplay hintDisplay;
  LabelHint labelHint{hintDisplay};
  FakeButton crlf, crlfLf;
  FakeText headerNotice;
  FakeTimer timer1, timer3;
  // The settings dialog.
  FakeForm settingsWindow{{526, 452, 234, 145}};
  FakeText hotKeyBox{"Ctrl+Alt+Down"};
  FakeText delayBox{"100"};
  FakeLabel makerLabel;
  // The editor dialog, and the copy menu on the list.
  FakeForm editorWindow{{376, 119, 365, 240}};
  FakeText title;
  FakeMemo content;
  FakeButton updateClip;
  FakeMenu copyMenu;
  FakeEditorFocus editorFocus;

  PopupLayout popupLayout = PopupLayoutForDpi(96, 2);
  PopupView popupView{popupWindow, panel,        slotList, labelColumn, labelHint,  crlf,
                      crlfLf,      headerNotice, timer1,   timer3,      popupLayout};
  SettingsView settingsView{settingsWindow, hotKeyBox, delayBox, makerLabel};
  EditorView editorView{editorWindow, title, content, updateClip, copyMenu, editorFocus};
  FakeTip trayTip;

  bool ended = false;  // the main window closed: the message loop would end

  Program program{Services{files, codePage, RolesOf(desktop, desktop), hotKeyApi,
                           PlainKeyboardLayout(), saving, folderWatch, quietTimer},
                  ProgramViews{popupView, settingsView, editorView, trayTip, 127}, paths,
                  "Quorvanel", [this] { ended = desktop.quit = true; }};

  ProgramFixture() {
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
