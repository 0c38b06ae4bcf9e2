#include "tray/hot_key_notice.h"

namespace qv {

namespace {

constexpr const char* kWayOut = "Choose a hot key with \"Settings...\" in the tray menu.";
// Where the desktop keeps every key to itself, the user binds one there to this command.
constexpr const char* kToggleCommand = "quorvanel --toggle";

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

}  // namespace

void HotKeyNotice::Check(bool mayTell) {
  const TShortCut key = hotKey_.Key();
  const std::string name = FormatShortcut(key, layout_);
  const std::string typed = preferences_.hotKey;
  std::string tip, message;
  if (hotKey_.Works()) {
    tip = title_ + " - hot key " + name;
  } else if (hotKey_.Unbindable()) {
    tip = title_ + " - shortcut: " + kToggleCommand;
    message = std::string("This desktop lets no program set a hot key of its own.\n\n") +
              "To call up the clip list, bind a desktop shortcut to \"" + kToggleCommand +
              "\" in your desktop's keyboard settings.";
  } else if (key != 0) {
    tip = title_ + " - hot key " + name + " does not work";
    message = "The hot key " + name + " does not work: another program (or " + words_.hotKeyHolder +
              ") has taken it.\n\n" + kWayOut;
  } else if (IsBlank(typed)) {
    tip = title_ + " - no hot key";
    message = std::string("No hot key is set, so no key calls up the clip list.\n\n") + kWayOut;
  } else {
    tip = title_ + " - hot key \"" + typed + "\" not recognised";
    message = "The hot key \"" + typed +
              "\" is not recognised, so no key calls up the clip list.\n\n" + kWayOut;
  }
  tip_.SetTip(tip);

  if (!mayTell || message == told_) return;
  told_ = message;
  if (message.empty()) return;
  messages_.ShowMessage(MessageKind::Warning, message, MessageButtons::Ok);
}

}  // namespace qv
