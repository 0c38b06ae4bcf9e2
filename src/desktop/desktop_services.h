#pragma once
// The desktop operations the program logic uses, one small interface per role, so
// that each controller is given only the roles it uses. Operations that fail in a way the
// user must see throw AppError; the others ignore their results.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "desktop/controls.h"
#include "desktop/elevated_paste_target.h"
#include "desktop/monitor_placement.h"
#include "desktop/paste_keystrokes.h"

namespace qv {

enum class MessageKind { Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard with `text`: its bytes as CF_TEXT, and the same text as Unicode.
  // One attempt: false when another program holds the clipboard open.
  virtual bool PutClipboardText(const std::string& text) = 0;
};

class KeyInjection {
 public:
  virtual ~KeyInjection() = default;
  // Sends the keys as one batch that the user's own keys cannot split; returns how many went
  // out (fewer when Windows blocked them).
  virtual std::size_t SendKeys(const std::vector<KeyStroke>& keys) = 0;
};

// The keyboard as it is now: each of the 256 virtual keys down or up.
class KeyState {
 public:
  virtual ~KeyState() = default;
  // The virtual key (0..255) is down now, input that has just arrived included. The generic
  // Shift, Ctrl and Alt keys are down while either side's key is.
  virtual bool KeyDown(unsigned virtualKey) = 0;
};

// The program's windows in front and out of the way: what showing and hiding the list does.
class Activation {
 public:
  virtual ~Activation() = default;
  // Brings the application window forward: by the right the hot key gives, or else attached
  // to the input of the window in front, unless that window does not answer.
  virtual void TakeForeground() = 0;
  // A window of this program is the foreground window, so it has the keyboard.
  virtual bool ProgramHasForeground() = 0;
  // Main window topmost, then not topmost, without moving or sizing it.
  virtual void RaiseWithoutStayingOnTop() = 0;
  virtual void HideTaskbarButton() = 0;
  virtual void MinimiseApplication() = 0;
  virtual void RestoreApplication() = 0;
};

// The window a paste goes to: the one that was in front before the program took the
// foreground.
class PasteTarget {
 public:
  virtual ~PasteTarget() = default;
  // That window is in front again: false when it has gone. With none known, true when another
  // program's window is in front.
  virtual bool PasteTargetInFront() = 0;
  // The integrity level of the foreground window's process, and of ours; none where Windows
  // tells none (Wine). A process that refuses to be asked counts as above ours.
  virtual std::optional<IntegrityLevel> ForegroundIntegrity() = 0;
  virtual std::optional<IntegrityLevel> OwnIntegrity() = 0;
};

class Pointer {
 public:
  virtual ~Pointer() = default;
  // Throw AppError with the platform's message when they fail (the secure desktop is up);
  // a key or a timer tick skips its step then.
  virtual void SetPointer(Point p) = 0;
  virtual Point GetPointer() = 0;
};

// The monitors and where the user works on them.
class Screens {
 public:
  virtual ~Screens() = default;
  virtual ScreenState LookAtScreens() = 0;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                                    MessageButtons buttons) = 0;
  virtual void OpenMailLink(const std::string& address) = 0;
};

// Tells the user something without taking the keyboard from the window they work in.
class Notifier {
 public:
  virtual ~Notifier() = default;
  virtual void Notify(const std::string& text) = 0;
};

// Every role, for the one place that hands them out.
struct DesktopRoles {
  Clipboard& clipboard;
  KeyInjection& keys;
  KeyState& keyState;
  Activation& activation;
  PasteTarget& pasteTarget;
  Pointer& pointer;
  MessageBoxes& messages;
  Clock& clock;
  Notifier& notifier;
  Screens& screens;
};

// The roles of one object that plays them all but telling the user without a box.
template <typename AllRoles>
DesktopRoles RolesOf(AllRoles& all, Notifier& notifier) {
  return {all, all, all, all, all, all, all, all, notifier, all};
}

}  // namespace qv
