#pragma once
// Desktop services and hot key registration as plain recorded state.
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/app_error.h"
#include "desktop/desktop_services.h"
#include "desktop/global_hot_key.h"

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
  // Runs while a message box is up, as the messages its loop dispatches would.
  std::function<void()> whileMessage;
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
    if (whileMessage) std::exchange(whileMessage, nullptr)();
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
