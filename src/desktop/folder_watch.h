#pragma once
// Changes to the files of one folder, as the platform reports them: a sync engine replaces
// the data files while the program runs.
#include <functional>
#include <string>

namespace qv {

class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // From now on `changed` runs on the user-interface thread with the name (without the
  // folder) of each file created, written, renamed or removed in `folder`, as often as the
  // platform reports it, and once with each "*.qvl" file there at the start (listed even
  // when the watch cannot start). An empty name: changes may have been missed (more than
  // the platform could queue, the watch lost and armed again); every file may have changed.
  // False when the folder cannot be watched now.
  virtual bool Watch(const std::string& folder,
                     std::function<void(const std::string& name)> changed) = 0;
  // False while the platform does not report the folder's changes (a share without change
  // notification, a network error, the folder replaced): the program then looks at the files
  // itself every few seconds. The platform keeps trying to watch again meanwhile; asking
  // may try it too.
  virtual bool Working() { return true; }
};

}  // namespace qv
