#pragma once
// What saving needs of Windows beyond the files: whether the program's folder takes new
// files at all, and telling Windows why the end of the session waits for the program.
#include <string>

namespace qv {

class SaveServices {
 public:
  virtual ~SaveServices() = default;
  // False only when creating a file in `folder` is refused (access denied, write-protected);
  // true when it works or the reason it fails says nothing about the folder.
  virtual bool CanCreateFilesIn(const std::string& folder) = 0;
  // Windows shows `reason` beside the program while it holds up the end of the session.
  virtual void HoldUpSessionEnd(const std::string& reason) = 0;
  virtual void LetSessionEnd() = 0;
};

}  // namespace qv
