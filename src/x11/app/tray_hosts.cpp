#include "x11/app/tray_hosts.h"

#include <utility>
#include <vector>

#include "linux/sni/sni_loader.h"
#include "linux/sni/tray_item.h"
#include "x11/base/x_display.h"

namespace qv {

TrayHosts::TrayHosts(EventLoop& loop, XTrayIcon& tray, std::string title)
    : loop_(loop),
      tray_(tray),
      title_(std::move(title)),
      dockedEarly_(x11::SessionBusAddress().empty()) {
  if (!dockedEarly_) return;
  tray_.Dock();
  // The icon first: the rest of start-up would take the processor from the tray meanwhile.
  if (tray_.TrayAsked()) loop_.RunUntil([this] { return tray_.Docked(); }, 100);
}

void TrayHosts::Show(std::function<void(TrayCommand)> chosen) {
  tray_.SetMenu(chosen);
  x11::TrayEvents events;
  events.commands = TrayMenuCommands(chosen);
  events.hostChanged = [this] { HostChanged(); };
  events.contextMenu = [this](int x, int y) { tray_.OnGesture(TrayMouse::ContextMenu, {x, y}); };
  events.activate = [this](int x, int y) { tray_.OnGesture(TrayMouse::KeySelect, {x, y}); };
  sni_ = TrayItemOnLoop(loop_, title_, events);
  if (sni_) tray_.onTip = [this](const std::string& tip) { sni_->SetTip(tip); };
  if (sni_ && sni_->Show(TrayPictures(), tray_.Tip()))
    DebugLog("tray item registered");
  else if (!dockedEarly_)
    tray_.Dock();
}

void TrayHosts::HostChanged() {
  if (tray_.Docked()) return;
  if (sni_->HostRegistered()) {
    sni_->Show(TrayPictures(), tray_.Tip());
  } else {
    sni_->Remove();
    tray_.Dock();
  }
}

}  // namespace qv
