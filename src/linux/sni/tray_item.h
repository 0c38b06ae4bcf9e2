#pragma once
// A StatusNotifierItem as both Linux front ends put it up: the tray menu's commands, the
// pictures, and the item's bus served by the program's loop.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "linux/base/poll_loop.h"
#include "linux/sni/tray_backend.h"
#include "tray/tray_menu.h"

namespace qv {

// The tray menu's commands, each handed to `chosen`.
std::vector<x11::TrayCommand> TrayMenuCommands(const std::function<void(TrayCommand)>& chosen);
std::vector<x11::TrayPicture> TrayPictures();
// The item where a host runs (null elsewhere), its bus served by `loop`.
std::unique_ptr<x11::TrayBackend> TrayItemOnLoop(PollLoop& loop, const std::string& title,
                                                 const x11::TrayEvents& events);

}  // namespace qv
