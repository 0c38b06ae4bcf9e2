#pragma once
// Data files on disk. Paths are the program's 8-bit text, converted as Windows converts the
// text of its "A" functions and passed to the wide API with the "\\?\" prefix, so that a file
// in a deep folder (past 260 characters) opens, saves and gets its backup as any other.
#include <string>

#include "library/file_system.h"

namespace qv {

// A path of the program's 8-bit text as the wide API takes it: converted as Windows converts
// the text of its "A" file functions, made full, in the "\\?\" form no length limit binds.
std::wstring LongPath(const std::string& path);

// The disk itself: one attempt per step; the program waits for a busy file itself, handling
// messages meanwhile.
class Win32Disk : public FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Missing(const std::string& path) override;
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
  bool LastFailureWasBusy() const override { return lastFailureBusy_; }

 private:
  // Records why the step failed, from the thread's last error; returns false.
  bool Failed();

  bool lastFailureBusy_ = false;
};

}  // namespace qv
