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

bool InotifyFolderWatch::Watch(const std::string& folder,
                               std::function<void(const std::string& name)> changed) {
  fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd_ < 0) return false;
  // A sync engine writes beside and renames over: the rename is the change that counts.
  constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE;
  if (inotify_add_watch(fd_, folder.empty() ? "." : folder.c_str(), kChanges) < 0) {
    close(fd_);
    fd_ = -1;
    return false;
  }
  changed_ = std::move(changed);
  // The files there already: a conflict copy made while the program was not running.
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                                closedir);
  while (dir) {
    const dirent* entry = readdir(dir.get());
    if (!entry) break;
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.ends_with(".qvl")) changed_(name);
  }
  return true;
}

void InotifyFolderWatch::ReadEvents() {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t length = read(fd_, buffer, sizeof buffer);
    if (length <= 0) return;
    for (ssize_t at = 0; at < length;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && changed_) changed_(event->name);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace qv
