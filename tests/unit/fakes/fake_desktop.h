#pragma once
// Desktop services, windows and hot key registration as plain recorded state.
#include <deque>
#include <string>
#include <vector>

#include "app/app_error.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"
#include "popup/popup_controls.h"
#include "settings/settings_controls.h"

namespace qv::test {

class FakeDesktop : public DesktopServices {
 public:
  std::vector<std::string> log;  // every call, in order
  std::string clipboard;
  bool clipboardBusy = false;
  bool ctrlHeld = false;
  bool pointerFails = false;
  Point pointer;
  Point desktop{1280, 1024};
  std::deque<MessageAnswer> answers;  // next answers of ShowMessage; Ok when empty
  std::vector<std::string> messages;
  std::string mailLink;

  void PutClipboardText(const std::string& text) override {
    log.push_back("clipboard");
    if (clipboardBusy) throw AppError("Cannot open clipboard");
    clipboard = text;
  }
  void InjectCtrlV() override { log.push_back("ctrl+v"); }
  void Wait(int ms) override { log.push_back("wait " + std::to_string(ms)); }
  bool CtrlHeld() override { return ctrlHeld; }
  void TakeForeground() override { log.push_back("foreground"); }
  void RaiseWithoutStayingOnTop() override { log.push_back("raise"); }
  void HideTaskbarButton() override { log.push_back("hide taskbar"); }
  void MinimiseApplication() override { log.push_back("minimise"); }
  void RestoreApplication() override { log.push_back("restore"); }
  void SetPointer(Point p) override {
    log.push_back("pointer " + std::to_string(p.x) + "," + std::to_string(p.y));
    if (pointerFails) throw AppError("A Win32 API function failed");
    pointer = p;
  }
  Point GetPointer() override {
    if (pointerFails) throw AppError("A Win32 API function failed");
    return pointer;
  }
  Point DesktopSize() override { return desktop; }
  MessageAnswer ShowMessage(MessageKind, const std::string& text, MessageButtons) override {
    log.push_back("message");
    messages.push_back(text);
    if (answers.empty()) return MessageAnswer::Ok;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  void OpenMailLink(const std::string& address) override {
    log.push_back("mail");
    mailLink = address;
  }
};

class FakePopupWindow : public PopupWindowOps {
 public:
  std::vector<std::string>* log = nullptr;  // shared with the desktop's log when set
  WindowRect rect{100, 50, 405, 496};
  bool visible = false;
  bool stayOnTop = false;
  bool panelFocused = false;

  void Show() override { Note("show"), visible = true; }
  void Hide() override { Note("hide"), visible = false; }
  bool Visible() const override { return visible; }
  WindowRect Bounds() const override { return rect; }
  void SetLeft(int left) override { rect.left = left; }
  void SetTop(int top) override { rect.top = top; }
  void SetWidth(int width) override { rect.width = width; }
  void SetStayOnTop(bool onTop) override { stayOnTop = onTop; }
  void FocusPanel() override { panelFocused = true; }

 private:
  void Note(const char* what) {
    if (log) log->push_back(what);
  }
};

class FakeSettingsWindow : public SettingsWindowOps {
 public:
  WindowRect rect{526, 452, 234, 145};
  bool visible = false;
  int modalShows = 0;
  void ShowModal() override {
    if (visible) throw AppError("Cannot make a visible window modal");
    visible = true;
    ++modalShows;
  }
  void CloseModal() override { visible = false; }
  WindowRect Bounds() const override { return rect; }
};

class FakeHotKeyRegistration : public HotKeyRegistration {
 public:
  std::vector<std::string> log;
  bool refuse = false;
  bool Register(unsigned modifiers, unsigned vk) override {
    log.push_back("register " + std::to_string(modifiers) + " " + std::to_string(vk));
    return !refuse;
  }
  void Unregister() override { log.push_back("unregister"); }
};

}  // namespace qv::test
