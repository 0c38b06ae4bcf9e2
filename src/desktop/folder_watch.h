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
  // platform reports it, and once with each "*.qvl" file there at the start. False when the
  // folder cannot be watched.
  virtual bool Watch(const std::string& folder,
                     std::function<void(const std::string& name)> changed) = 0;
};

}  // namespace qv
