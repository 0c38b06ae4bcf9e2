#pragma once
// Data files on a POSIX disk: written new and flushed, renamed into place and the folder
// flushed, so that a crash leaves each file wholly old or wholly new. Where the files live,
// the folder test, and the one-instance-per-folder lock.
#include <string>

#include "app/save_services.h"
#include "base/clock.h"
#include "library/file_system.h"
#include "library/retrying_file_system.h"

namespace qv {

class PosixDisk : public FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Missing(const std::string& path) override;
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool LastFailureWasBusy() const override { return lastFailureBusy_; }

 private:
  bool Failed();  // records why the step failed, from errno; returns false
  bool lastFailureBusy_ = false;
};

class SleepingClock : public Clock {
 public:
  bool Wait(int milliseconds) override;
  std::int64_t Milliseconds() override;
};

struct PosixDiskAndClock {
  PosixDisk disk;
  SleepingClock clock;
};

// The disk, with a step that finds its file busy tried again.
class PosixFileSystem : private PosixDiskAndClock, public RetryingFileSystem {
 public:
  PosixFileSystem() : RetryingFileSystem(disk, clock) {}
};

class PosixSaveServices : public SaveServices {
 public:
  bool CanCreateFilesIn(const std::string& folder) override;
  // No session manager waits on the program here: saving at SIGTERM is all there is.
  void HoldUpSessionEnd(const std::string&) override {}
  void LetSessionEnd() override {}
};

// The folder of the running executable, ending with "/".
std::string ExecutableFolder();
// The data folder, ending with "/": the executable's when its rows file is there (a portable
// copy), else $XDG_DATA_HOME/quorvanel/, made and given the shipped files it lacks
// (from <exe>/../share/quorvanel/ or <exe>/data/).
std::string DataFolder(const std::string& exeFolder);

// Held while the program runs: a second instance on the same data folder, by whatever path,
// finds it taken.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  bool AnotherInstanceRuns() const { return anotherInstanceRuns_; }

 private:
  int fd_ = -1;
  bool anotherInstanceRuns_ = false;
};

}  // namespace qv
