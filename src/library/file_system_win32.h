#pragma once
// Data files on disk through the ANSI file API; paths are passed through unconverted.
#include "library/file_system.h"

namespace qv {

class Win32FileSystem : public FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override;
  bool Missing(const std::string& path) override;
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;
};

}  // namespace qv
