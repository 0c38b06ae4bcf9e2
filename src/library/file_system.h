#pragma once
// File access behind an interface, so that saving can be tested step by step.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Whole file, opened read-only and shared with readers only; nullopt when it cannot be opened.
  virtual std::optional<std::string> ReadAll(const std::string& path) = 0;
  // True only when nothing stands at `path`, neither a file nor a folder: the one case in
  // which creating the file cannot destroy anything.
  virtual bool Missing(const std::string& path) = 0;
  // Creates or truncates `path`, writes `bytes` and flushes them to disk.
  virtual bool WriteAndFlush(const std::string& path, std::string_view bytes) = 0;
  // Atomic rename over an existing file, written through.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // After a step failed: true when the file was busy (another program had it open or locked,
  // or access was denied), which a virus scanner, an indexer or a sync client causes for a
  // moment; false for a failure that waiting does not mend.
  virtual bool LastFailureWasBusy() const = 0;
};

// A file system in front of another one: each step goes through to it unless the filter
// changes that step.
class FileSystemFilter : public FileSystem {
 public:
  explicit FileSystemFilter(FileSystem& disk) : disk_(disk) {}
  std::optional<std::string> ReadAll(const std::string& path) override {
    return disk_.ReadAll(path);
  }
  bool Missing(const std::string& path) override { return disk_.Missing(path); }
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override {
    return disk_.WriteAndFlush(path, bytes);
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    return disk_.MoveReplacing(from, to);
  }
  bool Remove(const std::string& path) override { return disk_.Remove(path); }
  bool LastFailureWasBusy() const override { return disk_.LastFailureWasBusy(); }

 protected:
  FileSystem& disk_;
};

// Reads a data file; throws AppError "Cannot open file <path>".
std::string ReadDataFile(FileSystem& fs, const std::string& path);

// Replaces a data file so that it is always either wholly old or wholly new, and keeps the
// previous version as "<path>.bak" the same way. Throws AppError "Cannot create file <p>"
// naming the file that could not be written or replaced.
void SaveDataFile(FileSystem& fs, const std::string& path, std::string_view bytes);

}  // namespace qv
