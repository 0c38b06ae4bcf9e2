#pragma once
// The data folder's changes from ReadDirectoryChangesW: a thread of their own waits for
// them and hands each file's name to the user-interface thread through a message-only
// window, which also carries the timer that says the folder has been quiet.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "desktop/folder_watch.h"
#include "win32/base/handles.h"
#include "win32/kit/win32_controls.h"
#include "win32/kit/window_base.h"

namespace qv {

class Win32FolderWatch : public WindowBase, public FolderWatch {
 public:
  bool Watch(const std::string& folder,
             std::function<void(const std::string& name)> changed) override;
  bool Working() override { return working_; }
  TimerControl& QuietTimer() { return quietTimer_; }
  std::function<void()> onQuiet;  // the quiet timer fired

 private:
  static DWORD WINAPI ReadChanges(void* self);
  // The folder opened for its changes; false when it cannot be.
  bool OpenFolder();
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::function<void(const std::string&)> changed_;
  UniqueHandle folder_;
  std::wstring path_;
  std::atomic<bool> working_{false};
  Win32Timer quietTimer_{&window_, 1};
};

}  // namespace qv
