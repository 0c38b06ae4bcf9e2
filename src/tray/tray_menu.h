#pragma once
// The tray icon's menu as every front end shows it: its commands, captions, order and
// pictures. A front end draws it and hands the chosen command back; what each command does
// is the program's.
#include <array>

namespace qv {

enum class TrayCommand { Settings, LockAndAdd, Quit };
// The 16 x 16 picture beside an item; each front end draws its own.
enum class MenuPicture { Settings, LockAndAdd, Quit };

struct TrayMenuItem {
  TrayCommand command;
  const char* caption;
  MenuPicture picture;
};

// In menu order: no separators, no default item, no keyboard shortcuts.
inline constexpr std::array<TrayMenuItem, 3> kTrayMenu{{
    {TrayCommand::Settings, "Settings...", MenuPicture::Settings},
    {TrayCommand::LockAndAdd, "Lock and Add Clip", MenuPicture::LockAndAdd},
    {TrayCommand::Quit, "Quit", MenuPicture::Quit},
}};

// The dialogs the tray's commands open: the front end's windows.
class TrayDialogs {
 public:
  virtual ~TrayDialogs() = default;
  // The settings dialog, modal: returns once it has closed.
  virtual void OpenSettings() = 0;
  // The editor beside the list, with the edit lock on.
  virtual void OpenEditor() = 0;
};

}  // namespace qv
