#pragma once
// No data file that another program changed after this one read it is overwritten unseen:
// before a save replaces it, the version on disk is kept under a name of its own, and the
// caller is told so that the user can be.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "library/file_system.h"

namespace qv {

// A data file's version found changed on disk, and where it was kept.
struct KeptVersion {
  std::string path;    // the data file, which the save then replaces
  std::string keptAs;  // the version found on disk
};

// A file system in front of the real one that watches the data files: it remembers what a
// watched file held when last read or written here, and before anything replaces or
// removes it, compares the disk with that.
class DiskChangeGuard : public FileSystemFilter {
 public:
  explicit DiskChangeGuard(FileSystem& disk) : FileSystemFilter(disk) {}
  void Watch(const std::string& path) { known_[path] = std::nullopt; }
  // The versions kept since the last call.
  std::vector<KeptVersion> TakeKeptVersions();
  // `bytes`, found in `path` and taken in, are what the program now knows of it: a save
  // may replace them.
  void Accept(const std::string& path, const std::string& bytes);
  // Keeps `bytes` beside `path` under the first free "<path>.changed-<n>"; its name, or
  // nothing when it could not be written.
  std::optional<std::string> KeepBeside(const std::string& path, const std::string& bytes);

  std::optional<std::string> ReadAll(const std::string& path) override;
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override;
  bool MoveReplacing(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& path) override;

 private:
  // What a watched file held: its bytes, or that it was absent; nothing when unknown.
  struct Seen {
    bool absent = false;
    std::string bytes;
  };
  // Before `path` changes: false when its changed version could not be kept.
  bool KeepChangedVersion(const std::string& path);
  // After a change of `path`: what it holds now, when the change was done.
  bool Changed(const std::string& path, bool done);
  void Remember(const std::string& path, const std::optional<std::string>& bytes);

  std::map<std::string, std::optional<Seen>> known_;  // the watched files
  std::vector<KeptVersion> kept_;
};

}  // namespace qv
