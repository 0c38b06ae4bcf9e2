#pragma once
// Data files on a POSIX disk: written new and flushed, renamed into place and the folder
// flushed, so that a crash leaves each file wholly old or wholly new. One attempt per step:
// the program waits for a busy file itself, handling events meanwhile.
#include <string>

#include "library/file_system.h"

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

}  // namespace qv
