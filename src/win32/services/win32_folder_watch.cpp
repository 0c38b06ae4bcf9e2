#include "win32/services/win32_folder_watch.h"

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

bool Win32FolderWatch::Watch(const std::string& folder,
                             std::function<void(const std::string&)> changed) {
  changed_ = std::move(changed);
  if (!window_) CreateWindowFrom(kWatchWindowLayout, HWND_MESSAGE);
  std::wstring path = LongPath(folder);
  if (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':') path.pop_back();
  folder_ = OwnedFileHandle(CreateFileW(
      path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
  if (!folder_ || !window_) return false;
  path_ = path;
  const HANDLE thread = CreateThread(nullptr, 0, ReadChanges, this, 0, nullptr);
  if (!thread) return false;
  CloseHandle(thread);  // it runs until the process ends
  return true;
}

// The worker thread: names go to the window, which hands them on. The watch is armed before
// the folder is listed, so that a change made while the program starts is never missed.
DWORD WINAPI Win32FolderWatch::ReadChanges(void* self) {
  auto& watch = *static_cast<Win32FolderWatch*>(self);
  alignas(DWORD) static BYTE buffer[16 * 1024];
  constexpr DWORD kWhat =
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE;
  const UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  OVERLAPPED overlapped{};
  overlapped.hEvent = done.get();
  const auto arm = [&] {
    return ReadDirectoryChangesW(watch.folder_.get(), buffer, sizeof buffer, FALSE, kWhat, nullptr,
                                 &overlapped, nullptr) != FALSE;
  };
  const auto post = [&](std::string name) {
    auto owned = std::make_unique<std::string>(std::move(name));
    if (PostMessageW(watch.window_, kChangedMessage, 0, reinterpret_cast<LPARAM>(owned.get())))
      owned.release();
  };
  if (!done || !arm()) return 0;
  // What is there already, a conflict copy made while the program did not run among it.
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((watch.path_ + L"\\*.qvl").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      post(WideToUtf8(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  DWORD bytes = 0;
  while (GetOverlappedResult(watch.folder_.get(), &overlapped, &bytes, TRUE)) {
    if (bytes == 0) {  // more than the buffer holds: any data file may have changed
      post("svclips.qvl");
    } else {
      for (DWORD offset = 0;;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(buffer + offset);
        post(WideToUtf8(std::wstring_view(info->FileName, info->FileNameLength / sizeof(WCHAR))));
        if (info->NextEntryOffset == 0) break;
        offset += info->NextEntryOffset;
      }
    }
    if (!arm()) break;
  }
  return 0;
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
