#include "linux/sni/tray_item.h"

#include "linux/sni/sni_loader.h"
#include "linux/sni/tray_picture.h"

namespace qv {

std::vector<x11::TrayCommand> TrayMenuCommands(const std::function<void(TrayCommand)>& chosen) {
  std::vector<x11::TrayCommand> commands;
  for (const TrayMenuItem& item : kTrayMenu)
    commands.push_back({item.caption, [chosen, command = item.command] { chosen(command); }});
  return commands;
}

std::vector<x11::TrayPicture> TrayPictures() {
  return {x11::ClipboardPicture(16), x11::ClipboardPicture(22), x11::ClipboardPicture(32)};
}

std::unique_ptr<x11::TrayBackend> TrayItemOnLoop(PollLoop& loop, const std::string& title,
                                                 const x11::TrayEvents& events) {
  std::unique_ptr<x11::TrayBackend> item = x11::SniTrayWhereHostRegistered(title, events);
  if (!item) return item;
  x11::TrayBackend* served = item.get();  // lives as long as the loop's sources are served
  loop.AddPollSource({[served](std::vector<pollfd>& fds, int& timeoutMs) {
                        served->AddWaits(fds, timeoutMs);
                        return true;
                      },
                      [served](const std::vector<pollfd>& fds) { served->Dispatch(fds); }});
  return item;
}

}  // namespace qv
