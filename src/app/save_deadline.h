#pragma once
// A bound on how long a save may go on starting steps: at the end of the session Windows
// ends a program that keeps it waiting for more than a few seconds, in the middle of
// whatever it writes.
#include <cstdint>

#include "desktop/desktop_services.h"
#include "library/file_system.h"

namespace qv {

// In front of the file system: once the bound is passed, no write or move starts (it fails
// as a refused write does, which leaves every data file wholly old or wholly new); reads and
// the removal of temporary files still go through.
class SaveDeadline : public FileSystemFilter {
 public:
  SaveDeadline(FileSystem& disk, Clock& clock) : FileSystemFilter(disk), clock_(clock) {}
  // Steps may start for `milliseconds` from now.
  void Start(int milliseconds) { deadline_ = clock_.Milliseconds() + milliseconds; }
  void Lift() { deadline_ = -1; }

  bool WriteAndFlush(const std::string& path, std::string_view bytes) override {
    return InTime() && disk_.WriteAndFlush(path, bytes);
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    return InTime() && disk_.MoveReplacing(from, to);
  }
  bool Remove(const std::string& path) override {
    late_ = false;
    return disk_.Remove(path);
  }
  // A step refused for lateness is no busy file: waiting would not mend it.
  bool LastFailureWasBusy() const override { return !late_ && disk_.LastFailureWasBusy(); }

 private:
  bool InTime() {
    late_ = deadline_ >= 0 && clock_.Milliseconds() >= deadline_;
    return !late_;
  }

  Clock& clock_;
  std::int64_t deadline_ = -1;  // none
  bool late_ = false;           // the last step was refused for lateness
};

}  // namespace qv
