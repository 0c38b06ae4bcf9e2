#include "app/second_instance.h"

#include <cstdint>
#include <cstdio>

#include "base/product.h"
#include "desktop/held_keys.h"

namespace qv {

std::string InstanceLockName(const std::string& folder, std::optional<FolderId> id) {
  // FNV-1a over the folder's identity, or its path as Windows compares paths: a name of fixed
  // length, whatever the folder's.
  char identity[64];
  if (id) {
    std::snprintf(identity, sizeof identity, "|%016llx|%016llx%016llx",
                  static_cast<unsigned long long>(id->volume),
                  static_cast<unsigned long long>(id->indexHigh),
                  static_cast<unsigned long long>(id->index));
  }
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : id ? std::string(identity) : folder) {
    if (c == '/') c = '\\';
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, QV_SHORT_NAME "-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

bool MayRunBesideAnotherInstance(KeyState& keys, MessageBoxes& messages, const std::string& title,
                                 const std::string& folder, OtherInstance other) {
  if (CtrlHeld(keys)) return true;
  const std::string where =
      other == OtherInstance::OtherSession
          ? " for another user of this computer, or in another session of yours:\nits icon is "
            "in that session's notification area."
      : other == OtherInstance::ElevatedThisSession
          ? " as administrator, in this session: its icon is in the notification area."
      : other == OtherInstance::ThroughAnotherPath
          ? ", started through another path to this folder\nor on another computer that "
            "shares it."
          : ": its icon is in the notification area.";
  messages.ShowMessage(MessageKind::Warning,
                       title + " is already running from " + folder + where +
                           "\n\nThis copy ends now, without reading or changing any file.",
                       MessageButtons::Ok);
  return false;
}

}  // namespace qv
