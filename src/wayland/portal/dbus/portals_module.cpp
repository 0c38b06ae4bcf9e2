// libquorvanel-portals.so: the portals' clients on a connection of their own.
#include "wayland/portal/dbus/global_shortcuts_client.h"
#include "wayland/portal/dbus/portal_bus.h"
#include "wayland/portal/dbus/remote_desktop_client.h"

namespace qv::wayland {

namespace {

constexpr const char* kNotifications = "org.freedesktop.Notifications";

class BusPortals : public Portals {
 public:
  explicit BusPortals(std::unique_ptr<PortalBus> bus) : bus_(std::move(bus)) {}

  std::unique_ptr<PortalShortcut> Shortcut(const std::string& id, const std::string& description,
                                           PortalShortcutEvents events) override {
    return std::make_unique<GlobalShortcutsClient>(*bus_, id, description, std::move(events));
  }
  std::unique_ptr<PortalKeyboard> Keyboard(const std::string& tokenPath,
                                           std::function<void()> stateChanged) override {
    return std::make_unique<RemoteDesktopClient>(*bus_, tokenPath, std::move(stateChanged));
  }
  void Notify(const std::string& appName, const std::string& summary, const std::string& body,
              std::function<void()> failed) override {
    const auto fill = [&](PortalBus::Writer& at) {
      at.String(appName);
      at.UInt32(0);  // replaces no earlier notification
      at.String("edit-paste");
      at.String(summary);
      at.String(body);
      at.Container(DBUS_TYPE_ARRAY, "s", [](PortalBus::Writer&) {});     // no actions
      at.Container(DBUS_TYPE_ARRAY, "{sv}", [](PortalBus::Writer&) {});  // no hints
      at.Int32(-1);  // the service's own timeout
    };
    // Told after the dispatch, outside libdbus: the fallback opens a window.
    PortalBus& bus = *bus_;
    bus.Call(
        nullptr, kNotifications, "/org/freedesktop/Notifications", "Notify", fill,
        [&bus, failed = std::move(failed)] { bus.RunLater(nullptr, failed); }, kNotifications);
  }
  void AddWaits(std::vector<pollfd>& fds, int& timeoutMs) override {
    bus_->AddWaits(fds, timeoutMs);
  }
  void Dispatch(const std::vector<pollfd>& fds) override { bus_->Dispatch(fds); }

 private:
  std::unique_ptr<PortalBus> bus_;
};

}  // namespace

}  // namespace qv::wayland

extern "C" __attribute__((visibility("default"))) qv::wayland::Portals* qv_create_portals(
    int version, const std::string& busAddress, const std::string& appId) {
  if (version != qv::wayland::kPortalsVersion) return nullptr;
  try {
    auto bus = qv::wayland::PortalBus::Connect(busAddress, appId);
    return bus ? new qv::wayland::BusPortals(std::move(bus)) : nullptr;
  } catch (const std::exception&) {
    return nullptr;
  }
}
