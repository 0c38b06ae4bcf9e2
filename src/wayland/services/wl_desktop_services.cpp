#include "wayland/services/wl_desktop_services.h"

#include <spawn.h>

#include <cstdio>
#include <string>

#include "linux/base/debug_log.h"

extern char** environ;

namespace qv::wl {

void WlDesktopServices::TakeForeground() {
  if (list_.Visible()) return;
  target_ = toplevels_.Active();
  DebugLog("paste target " + std::to_string(target_));
}

bool WlDesktopServices::ProgramHasForeground() {
  // The compositor hands the keyboard to the list once it has mapped it.
  return loop_.RunUntil([this] { return list_.HasKeyboard(); }, 300);
}

bool WlDesktopServices::PasteTargetInFront() {
  // The list's surface gone and the keyboard no longer the program's: given back.
  if (list_.Visible() || c_.KeyboardOnProgram()) return false;
  // Where the compositor does not tell which window is active, nothing says where the keys
  // would go: they are not typed, and the user is told.
  if (!toplevels_.Told()) return typeWithoutTargetCheck_;
  const std::uint64_t active = toplevels_.Active();
  if (active != target_) DebugLog("active window " + std::to_string(active));
  return target_ != 0 && active == target_;
}

Point WlDesktopServices::GetPointer() {
  return {list_.Bounds().left, list_.Bounds().top};
}

ScreenState WlDesktopServices::LookAtScreens() {
  ScreenState state;
  state.monitors = c_.Monitors();
  // No client may know the window in front; the output the user types on stands for it.
  if (focusedOutput) state.front = focusedOutput();
  return state;
}

MessageAnswer WlDesktopServices::ShowMessage(MessageKind kind, const std::string& text,
                                             MessageButtons buttons) {
  DebugLog("message: " + text);
  if (showBox) {
    try {
      return showBox(kind, text, buttons);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quorvanel: %s\n", e.what());
    }
  }
  std::fprintf(stderr, "quorvanel: %s: %s\n", kind == MessageKind::Warning ? "Warning" : "Error",
               text.c_str());
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

void WlDesktopServices::OpenMailLink(const std::string& address) {
  pid_t child = 0;
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(address.c_str()), nullptr};
  posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ);
}

}  // namespace qv::wl
