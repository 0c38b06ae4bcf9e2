#include "linux/services/inotify_folder_watch.h"

#include <dirent.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <memory>

namespace qv {

InotifyFolderWatch::InotifyFolderWatch(PollLoop& loop)
    : quietTimer_(loop, [this] {
        if (onQuiet) onQuiet();
      }) {
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int&) {
                        if (fd_ < 0) return false;
                        fds.push_back({fd_, POLLIN, 0});
                        return true;
                      },
                      [this](const std::vector<pollfd>& fds) {
                        for (const pollfd& polled : fds)
                          if (polled.fd == fd_ && (polled.revents & POLLIN)) ReadEvents();
                      }});
}

InotifyFolderWatch::~InotifyFolderWatch() {
  if (fd_ >= 0) close(fd_);
}

bool InotifyFolderWatch::AddWatch() {
  // A sync engine writes beside and renames over: the rename is the change that counts. The
  // folder itself replaced or removed ends the watch, which is then added again.
  constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_CREATE |
                                     IN_DELETE | IN_DELETE_SELF | IN_MOVE_SELF;
  watch_ = inotify_add_watch(fd_, folder_.empty() ? "." : folder_.c_str(), kChanges);
  return watch_ >= 0;
}

bool InotifyFolderWatch::Working() {
  if (fd_ >= 0 && watch_ < 0 && AddWatch() && changed_) changed_({});  // missed meanwhile
  return watch_ >= 0;
}

bool InotifyFolderWatch::Watch(const std::string& folder,
                               std::function<void(const std::string& name)> changed) {
  folder_ = folder;
  changed_ = std::move(changed);
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  const bool working = fd_ >= 0 && AddWatch();
  // The files there already, also when the watch could not start: a conflict copy made while
  // the program was not running.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                                closedir);
  while (dir) {
    const dirent* entry = readdir(dir.get());
    if (!entry) break;
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.ends_with(".qvl")) changed_(name);
  }
  return working;
}

void InotifyFolderWatch::ReadEvents() {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t length = read(fd_, buffer, sizeof buffer);
    if (length <= 0) return;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->mask & (IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
        // More than the queue holds, or the folder replaced: every file may have changed.
        if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
          if (watch_ >= 0 && event->wd == watch_) inotify_rm_watch(fd_, watch_);
          if (event->wd == watch_) watch_ = -1;
        }
        if (changed_) changed_({});
      } else if (event->len > 0 && changed_) {
        changed_(event->name);
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace qv
