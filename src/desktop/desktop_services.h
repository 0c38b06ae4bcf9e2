#pragma once
// The Windows desktop operations the program logic uses, one small interface per role, so
// that each controller is given only the roles it uses. Operations that fail in a way the
// user must see throw AppError; the others ignore their results.
#include <cstdint>
#include <string>

#include "base/clock.h"

namespace qv {

struct Point {
  int x = 0, y = 0;
};

enum class MessageKind { Warning, Error };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard with `text` as CF_TEXT; throws AppError "Cannot open clipboard".
  virtual void PutClipboardText(const std::string& text) = 0;
};

class KeyInjection {
 public:
  virtual ~KeyInjection() = default;
  // Ctrl down, V down, V up, Ctrl up.
  virtual void InjectCtrlV() = 0;
  // Shift, Ctrl or Alt is held down.
  virtual bool ModifierKeysHeld() = 0;
  virtual bool CtrlHeld() = 0;
};

class Foreground {
 public:
  virtual ~Foreground() = default;
  // The window in front when the program started: one-shot mode pastes into it.
  virtual void RememberForeground() = 0;
  // Attach to the foreground thread, bring the application window forward, detach.
  virtual void TakeForeground() = 0;
  // The window that was in front before the program took the foreground is in front again
  // (also true when there was none, or it has gone).
  virtual bool PasteTargetInFront() = 0;
  // Main window topmost, then not topmost, without moving or sizing it.
  virtual void RaiseWithoutStayingOnTop() = 0;
  virtual void HideTaskbarButton() = 0;
  virtual void MinimiseApplication() = 0;
  virtual void RestoreApplication() = 0;
};

class Pointer {
 public:
  virtual ~Pointer() = default;
  // Throw AppError with the platform's message when they fail.
  virtual void SetPointer(Point p) = 0;
  virtual Point GetPointer() = 0;
  // Width and height of the virtual screen spanning all monitors.
  virtual Point DesktopSize() = 0;
};

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                                    MessageButtons buttons) = 0;
  virtual void OpenMailLink(const std::string& address) = 0;
};

// Every role, for the one place that hands them out.
struct DesktopRoles {
  Clipboard& clipboard;
  KeyInjection& keys;
  Foreground& foreground;
  Pointer& pointer;
  MessageBoxes& messages;
  Clock& clock;
};

// The roles of one object that plays them all.
template <typename AllRoles>
DesktopRoles RolesOf(AllRoles& all) {
  return {all, all, all, all, all, all};
}

}  // namespace qv
