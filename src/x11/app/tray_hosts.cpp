#include "x11/app/tray_hosts.h"

#include <utility>
#include <vector>

#include "linux/sni/sni_loader.h"
#include "linux/sni/tray_picture.h"
#include "x11/base/x_display.h"

namespace qv {

namespace {

std::vector<x11::TrayPicture> TrayPictures() {
  return {x11::ClipboardPicture(16), x11::ClipboardPicture(22), x11::ClipboardPicture(32)};
}

}  // namespace

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
  for (const TrayMenuItem& item : kTrayMenu)
    events.commands.push_back(
        {item.caption, [chosen, command = item.command] { chosen(command); }});
  events.hostChanged = [this] { HostChanged(); };
  events.contextMenu = [this](int x, int y) { tray_.OnGesture(TrayMouse::ContextMenu, {x, y}); };
  events.activate = [this](int x, int y) { tray_.OnGesture(TrayMouse::KeySelect, {x, y}); };
  sni_ = x11::SniTrayWhereHostRegistered(title_, events);
  if (sni_) {
    loop_.AddPollSource({[this](std::vector<pollfd>& fds, int& timeoutMs) {
                           sni_->AddWaits(fds, timeoutMs);
                           return true;
                         },
                         [this](const std::vector<pollfd>& fds) { sni_->Dispatch(fds); }});
    tray_.onTip = [this](const std::string& tip) { sni_->SetTip(tip); };
  }
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
