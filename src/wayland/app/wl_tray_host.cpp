#include "wayland/app/wl_tray_host.h"

#include <cstdio>
#include <exception>
#include <utility>

#include "linux/base/debug_log.h"
#include "linux/sni/tray_item.h"

namespace qv::wl {

WlTrayHost::WlTrayHost(PollLoop& loop, WlTray& tray, ProgramDialogs& dialogs,
                       wayland::Portals* portals, std::string title)
    : loop_(loop), tray_(tray), dialogs_(dialogs), title_(std::move(title)) {
  // After the current handler, so that a notice at start holds nothing up.
  tray_.onNotice = [this, portals](const std::string& text) {
    loop_.Post([this, portals, text] {
      if (portals)
        portals->Notify(title_, title_, text, [this, text] { ShowNoticeWindow(text); });
      else
        ShowNoticeWindow(text);
    });
  };
}

void WlTrayHost::ShowNoticeWindow(const std::string& text) {
  try {
    dialogs_.ShowNotice(title_, text);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quorvanel: %s\n", e.what());
  }
}

void WlTrayHost::Show(const std::function<void(TrayCommand)>& chosen) {
  x11::TrayEvents events;
  events.commands = TrayMenuCommands(chosen);
  events.hostChanged = [this] {
    if (item_->HostRegistered()) item_->Show(TrayPictures(), tray_.Tip());
  };
  item_ = TrayItemOnLoop(loop_, title_, events);
  if (item_) {
    tray_.onTip = [this](const std::string& tip) { item_->SetTip(tip); };
    if (item_->Show(TrayPictures(), tray_.Tip())) DebugLog("tray item registered");
    return;
  }
  // Told once: without a tray the menu (Settings, the editor, Quit) cannot be reached.
  tray_.Notify(
      "No tray runs on this desktop (a StatusNotifierItem host): the tray menu cannot "
      "be shown. The list works; end the program with SIGTERM.");
}

}  // namespace qv::wl
