#pragma once
// The data folder's changes through inotify, read in the event loop; the quiet timer is one of
// the loop's.
#include <functional>
#include <string>

#include "desktop/folder_watch.h"
#include "linux/kit/drawn_controls.h"

namespace qv {

class InotifyFolderWatch : public FolderWatch {
 public:
  explicit InotifyFolderWatch(PollLoop& loop);
  ~InotifyFolderWatch() override;
  InotifyFolderWatch(const InotifyFolderWatch&) = delete;
  InotifyFolderWatch& operator=(const InotifyFolderWatch&) = delete;

  bool Watch(const std::string& folder,
             std::function<void(const std::string& name)> changed) override;
  // Tries to watch the folder again when it was replaced or removed.
  bool Working() override;
  TimerControl& QuietTimer() { return quietTimer_; }
  std::function<void()> onQuiet;

 private:
  void ReadEvents();
  bool AddWatch();

  int fd_ = -1;
  int watch_ = -1;  // the folder's watch; -1 while it is lost
  std::string folder_;
  std::function<void(const std::string&)> changed_;
  LoopTimer quietTimer_;
};

}  // namespace qv
