#pragma once
// Files that another program holds for a moment (a virus scanner or the search indexer
// opening a file just written, a sync client uploading it) make a single attempt fail. A step
// that finds its file busy is tried again after short pauses, growing, until two seconds
// have passed since the busy spell began: the steps of one save that all meet the same held
// file share those two seconds. A step that succeeds after waiting ends the spell, and so
// does a second without a busy step. A failure that waiting does not mend is reported at once,
// and so is a busy one when the clock's wait says the time is up.
#include <optional>

#include "base/clock.h"
#include "library/file_system.h"

namespace qv {

inline constexpr int kBusyWaitLimitMs = 2000;

class RetryingFileSystem : public FileSystemFilter {
 public:
  RetryingFileSystem(FileSystem& disk, Clock& clock) : FileSystemFilter(disk), clock_(clock) {}

  std::optional<std::string> ReadAll(const std::string& path) override;
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;

 private:
  template <typename Step>
  auto Retried(Step step);

  Clock& clock_;
  std::optional<std::int64_t> spellStartMs_;
  std::int64_t lastBusyMs_ = 0;
};

}  // namespace qv
