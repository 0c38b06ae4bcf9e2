#include "win32/services/win32_folder_watch.h"

#include <algorithm>
#include <cwchar>
#include <memory>

#include "desktop/window_names.h"
#include "win32/base/wide_text.h"
#include "win32/services/win32_file_system.h"

namespace qv {

namespace {

constexpr UINT kChangedMessage = WM_APP + 1;  // lParam: the name, a std::string* to take
constexpr WindowLayout kWatchWindowLayout{.className = kFolderWatchWindowClass, .style = 0};

}  // namespace

bool Win32FolderWatch::OpenFolder() {
  folder_ = OwnedFileHandle(CreateFileW(
      path_.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  return static_cast<bool>(folder_);
}

bool Win32FolderWatch::Watch(const std::string& folder,
                             std::function<void(const std::string&)> changed) {
  changed_ = std::move(changed);
  if (!window_) CreateWindowFrom(kWatchWindowLayout, HWND_MESSAGE);
  if (!window_) return false;
  path_ = LongPath(folder);
  if (path_.size() > 1 && path_.back() == L'\\' && path_[path_.size() - 2] != L':')
    path_.pop_back();
  working_ = OpenFolder();
  const HANDLE thread = CreateThread(nullptr, 0, ReadChanges, this, 0, nullptr);
  if (!thread) return false;
  CloseHandle(thread);  // it runs until the process ends
  return working_;
}

// The worker thread: names go to the window, which hands them on. The watch is armed before
// the folder is listed, so that a change made while the program starts is never missed; the
// folder is listed even where it cannot be armed (a share without change notification). A
// watch that fails (a network blip, a share gone for a while) is armed again after a pause
// that grows up to a minute; meanwhile the program looks at the files itself.
DWORD WINAPI Win32FolderWatch::ReadChanges(void* self) {
  auto& watch = *static_cast<Win32FolderWatch*>(self);
  alignas(DWORD) static BYTE buffer[16 * 1024];
  constexpr DWORD kWhat =
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
  const UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!done) return 0;
  OVERLAPPED overlapped{};
  overlapped.hEvent = done.get();
  const auto arm = [&] {
    return watch.folder_ && ReadDirectoryChangesW(watch.folder_.get(), buffer, sizeof buffer, FALSE,
                                                  kWhat, nullptr, &overlapped, nullptr) != FALSE;
  };
  const auto post = [&](std::string name) {
    auto owned = std::make_unique<std::string>(std::move(name));
    if (PostMessageW(watch.window_, kChangedMessage, 0, reinterpret_cast<LPARAM>(owned.get())))
      owned.release();
  };
  bool armed = arm();
  watch.working_ = armed;
  // What is there already, a conflict copy made while the program did not run among it.
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((watch.path_ + L"\\*.qvl").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      post(WideToUtf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  constexpr DWORD kFirstPauseMs = 1000, kLongestPauseMs = 60000;
  DWORD pause = kFirstPauseMs;
  for (;;) {
    DWORD bytes = 0;
    if (armed && GetOverlappedResult(watch.folder_.get(), &overlapped, &bytes, TRUE)) {
      if (bytes == 0) {  // more than the buffer holds: any file may have changed
        post({});
      } else {
        for (DWORD offset = 0;;) {
          const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + offset);
          post(WideToUtf8(std::wstring_view(info->FileName, info->FileNameLength / sizeof(WCHAR))));
          if (info->NextEntryOffset == 0) break;
          offset += info->NextEntryOffset;
        }
      }
      armed = arm();
      if (armed) continue;
    }
    // ERROR_NOTIFY_ENUM_DIR (too many changes) comes as a failure too: read everything again.
    const bool overflow = armed && GetLastError() == ERROR_NOTIFY_ENUM_DIR;
    if (overflow && (armed = arm())) {
      post({});
      continue;
    }
    watch.working_ = false;
    post({});  // the program looks at the files itself from now on
    Sleep(pause);
    pause = std::min(pause * 2, kLongestPauseMs);
    if (watch.OpenFolder() && (armed = arm())) {
      watch.working_ = true;
      pause = kFirstPauseMs;
      post({});  // what changed while it was down
    }
  }
}

LRESULT Win32FolderWatch::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kChangedMessage) {
    const std::unique_ptr<std::string> name(reinterpret_cast<std::string*>(lParam));
    Run([&] {
      if (changed_) changed_(*name);
    });
    return 0;
  }
  if (message == WM_TIMER && wParam == quietTimer_.Id()) {
    if (onQuiet) onQuiet();  // runs its handler itself
    return 0;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
