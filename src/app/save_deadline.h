#pragma once
// A bound on how long a save may go on: at the end of the session Windows ends a program that
// keeps it waiting for more than a few seconds, in the middle of whatever it writes.
#include <algorithm>
#include <cstdint>

#include "base/clock.h"
#include "library/file_system.h"

namespace qv {

// In front of the file system: once the bound is passed, no read, write or move starts (it
// fails as a refused one does, which leaves every data file wholly old or wholly new); the
// removal of temporary files still goes through. As the clock of the waits for a busy file,
// it ends them at the bound.
class SaveDeadline : public FileSystemFilter, public Clock {
 public:
  SaveDeadline(FileSystem& disk, Clock& clock) : FileSystemFilter(disk), clock_(clock) {}

  // The bound, lifted when it goes, whatever ends the save.
  class Bound {
   public:
    explicit Bound(SaveDeadline& deadline) : deadline_(deadline) {}
    ~Bound() { deadline_.deadline_ = -1; }
    Bound(const Bound&) = delete;
    Bound& operator=(const Bound&) = delete;

   private:
    SaveDeadline& deadline_;
  };
  // Steps may start for `milliseconds` from now.
  [[nodiscard]] Bound Start(int milliseconds) {
    deadline_ = clock_.Milliseconds() + milliseconds;
    return Bound(*this);
  }

  std::optional<std::string> ReadAll(const std::string& path) override {
    if (!InTime()) return std::nullopt;
    return disk_.ReadAll(path);
  }
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

  // False once the bound is reached, so that a retry ends there.
  bool Wait(int milliseconds) override {
    if (deadline_ < 0) return clock_.Wait(milliseconds);
    const std::int64_t left = deadline_ - clock_.Milliseconds();
    return left > 0 && clock_.Wait(static_cast<int>(std::min<std::int64_t>(milliseconds, left))) &&
           clock_.Milliseconds() < deadline_;
  }
  std::int64_t Milliseconds() override { return clock_.Milliseconds(); }

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
