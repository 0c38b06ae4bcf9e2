#pragma once
// The output that has the keyboard focus, as sway's IPC tells it: a client learns only which
// outputs its own surfaces are on, never where the user is typing.
#include <optional>
#include <string>

#include "desktop/controls.h"
#include "wayland/services/sway_hot_key.h"

namespace qv::wl {

// In layout coordinates; nothing where no IPC answers.
std::optional<WindowRect> FocusedSwayOutput(SwayHotKey& ipc);

// The focused output's "rect" in a get_outputs reply.
std::optional<WindowRect> FocusedOutputIn(const std::string& reply);

}  // namespace qv::wl
