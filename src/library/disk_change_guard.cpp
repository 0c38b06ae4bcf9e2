#include "library/disk_change_guard.h"

#include <utility>

namespace qv {

std::vector<KeptVersion> DiskChangeGuard::TakeKeptVersions() {
  return std::exchange(kept_, {});
}

void DiskChangeGuard::Remember(const std::string& path, const std::optional<std::string>& bytes) {
  auto it = known_.find(path);
  if (it == known_.end()) return;
  if (bytes)
    it->second = Seen{false, *bytes};
  else if (disk_.Missing(path))
    it->second = Seen{true, {}};
  else
    it->second.reset();  // there but unreadable: nothing to compare with
}

std::optional<std::string> DiskChangeGuard::ReadAll(const std::string& path) {
  auto bytes = disk_.ReadAll(path);
  // What this run first read is what it knows of the file; a later read (the backup taken
  // just before a save) must not hide a change another program made meanwhile.
  auto it = known_.find(path);
  if (it != known_.end() && !it->second) Remember(path, bytes);
  return bytes;
}

bool DiskChangeGuard::KeepChangedVersion(const std::string& path) {
  auto it = known_.find(path);
  if (it == known_.end() || !it->second) return true;
  const Seen& seen = *it->second;
  const std::optional<std::string> now = disk_.ReadAll(path);
  if (!now) return true;  // gone, or locked (then the change itself fails)
  if (!seen.absent && *now == seen.bytes) return true;
  const auto keptAs = KeepBeside(path, *now);
  if (!keptAs) return false;
  kept_.push_back({path, *keptAs});
  it->second = Seen{false, *now};  // kept once, even if the change then fails
  return true;
}

void DiskChangeGuard::Accept(const std::string& path, const std::string& bytes) {
  if (known_.count(path)) known_[path] = Seen{false, bytes};
}

std::optional<std::string> DiskChangeGuard::KeepBeside(const std::string& path,
                                                       const std::string& bytes) {
  // A free name, so that no version kept earlier is replaced.
  std::string keptAs;
  for (int n = 1; keptAs.empty() || !disk_.Missing(keptAs); ++n)
    keptAs = path + ".changed-" + std::to_string(n);
  // Written whole before it takes its name, as every data file is: a kill in the middle
  // leaves no torn version that passes for a kept one.
  const std::string temp = keptAs + ".tmp";
  if (!disk_.WriteAndFlush(temp, bytes) || !disk_.MoveReplacing(temp, keptAs)) {
    disk_.Remove(temp);
    return std::nullopt;
  }
  return keptAs;
}

bool DiskChangeGuard::Changed(const std::string& path, bool done) {
  if (done && known_.count(path)) Remember(path, disk_.ReadAll(path));
  return done;
}

bool DiskChangeGuard::WriteAndFlush(const std::string& path, std::string_view bytes) {
  if (!KeepChangedVersion(path)) return false;
  return Changed(path, disk_.WriteAndFlush(path, bytes));
}

bool DiskChangeGuard::MoveReplacing(const std::string& from, const std::string& to) {
  if (!KeepChangedVersion(to)) return false;
  return Changed(to, disk_.MoveReplacing(from, to));
}

bool DiskChangeGuard::Remove(const std::string& path) {
  if (!KeepChangedVersion(path)) return false;
  return Changed(path, disk_.Remove(path));
}

}  // namespace qv
