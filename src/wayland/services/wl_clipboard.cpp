#include "wayland/services/wl_clipboard.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "linux/base/debug_log.h"
#include "wlr-data-control-unstable-v1-client.h"

namespace qv::wl {

namespace {

// The forms the clip is offered in; the last tells password-aware clipboard managers to keep
// no history entry of it.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain",
                                      "TEXT", "STRING"};
constexpr const char* kSecretHint = "x-kde-passwordManagerHint";

}  // namespace

struct WlClipboard::Callbacks {
  static void ControlSend(void* data, zwlr_data_control_source_v1*, const char* mime, int32_t fd) {
    static_cast<WlClipboard*>(data)->Send(mime, fd);
  }
  static void ControlCancelled(void* data, zwlr_data_control_source_v1* source) {
    auto* self = static_cast<WlClipboard*>(data);
    zwlr_data_control_source_v1_destroy(source);
    if (self->controlSource_ == source) self->Dropped();
  }
  static constexpr zwlr_data_control_source_v1_listener kControlSource{ControlSend,
                                                                       ControlCancelled};
  // Offers of the selection (ours or another program's) are not read: let go at once.
  static void ControlOffer(void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {}
  static void ControlSelection(void*, zwlr_data_control_device_v1*,
                               zwlr_data_control_offer_v1* offer) {
    if (offer) zwlr_data_control_offer_v1_destroy(offer);
  }
  static void ControlFinished(void* data, zwlr_data_control_device_v1* device) {
    auto* self = static_cast<WlClipboard*>(data);
    zwlr_data_control_device_v1_destroy(device);
    self->controlDevice_ = nullptr;
  }
  static void ControlPrimary(void*, zwlr_data_control_device_v1*,
                             zwlr_data_control_offer_v1* offer) {
    if (offer) zwlr_data_control_offer_v1_destroy(offer);
  }
  static constexpr zwlr_data_control_device_v1_listener kControlDevice{
      ControlOffer, ControlSelection, ControlFinished, ControlPrimary};

  static void Target(void*, wl_data_source*, const char*) {}
  static void DeviceSend(void* data, wl_data_source*, const char* mime, int32_t fd) {
    static_cast<WlClipboard*>(data)->Send(mime, fd);
  }
  static void DeviceCancelled(void* data, wl_data_source* source) {
    auto* self = static_cast<WlClipboard*>(data);
    wl_data_source_destroy(source);
    if (self->deviceSource_ == source) self->Dropped();
  }
  static void DndDropPerformed(void*, wl_data_source*) {}
  static void DndFinished(void*, wl_data_source*) {}
  static void Action(void*, wl_data_source*, std::uint32_t) {}
  static constexpr wl_data_source_listener kDeviceSource{
      Target, DeviceSend, DeviceCancelled, DndDropPerformed, DndFinished, Action};

  static void DataOffer(void*, wl_data_device*, wl_data_offer*) {}
  static void Enter(void*, wl_data_device*, std::uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t,
                    wl_data_offer*) {}
  static void Leave(void*, wl_data_device*) {}
  static void Motion(void*, wl_data_device*, std::uint32_t, wl_fixed_t, wl_fixed_t) {}
  static void Drop(void*, wl_data_device*) {}
  static void Selection(void*, wl_data_device*, wl_data_offer* offer) {
    if (offer) wl_data_offer_destroy(offer);
  }
  static constexpr wl_data_device_listener kDevice{DataOffer, Enter, Leave,
                                                   Motion,    Drop,  Selection};
};

WlClipboard::WlClipboard(Connection& connection, PollLoop& loop) : c_(connection) {
  if (c_.DataControl() && c_.Seat()) {
    controlDevice_ = zwlr_data_control_manager_v1_get_data_device(c_.DataControl(), c_.Seat());
    zwlr_data_control_device_v1_add_listener(controlDevice_, &Callbacks::kControlDevice, this);
  } else if (c_.DataDeviceManager() && c_.Seat()) {
    device_ = wl_data_device_manager_get_data_device(c_.DataDeviceManager(), c_.Seat());
    wl_data_device_add_listener(device_, &Callbacks::kDevice, this);
  }
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int&) {
                        if (writes_.empty()) return false;
                        for (const Write& w : writes_) fds.push_back({w.fd, POLLOUT, 0});
                        return true;
                      },
                      [this](const std::vector<pollfd>&) { WriteSome(); }});
}

WlClipboard::~WlClipboard() {
  for (Write& w : writes_) close(w.fd);
  if (controlSource_) zwlr_data_control_source_v1_destroy(controlSource_);
  if (deviceSource_) wl_data_source_destroy(deviceSource_);
  if (controlDevice_) zwlr_data_control_device_v1_destroy(controlDevice_);
  if (device_) wl_data_device_release(device_);
}

bool WlClipboard::PutClipboardText(const std::string& text) {
  text_ = text;
  if (controlDevice_) {
    zwlr_data_control_source_v1* source =
        zwlr_data_control_manager_v1_create_data_source(c_.DataControl());
    zwlr_data_control_source_v1_add_listener(source, &Callbacks::kControlSource, this);
    for (const char* type : kTextTypes) zwlr_data_control_source_v1_offer(source, type);
    zwlr_data_control_source_v1_offer(source, kSecretHint);
    zwlr_data_control_device_v1_set_selection(controlDevice_, source);
    controlSource_ = source;  // the one before is cancelled by the compositor
  } else if (device_) {
    wl_data_source* source = wl_data_device_manager_create_data_source(c_.DataDeviceManager());
    wl_data_source_add_listener(source, &Callbacks::kDeviceSource, this);
    for (const char* type : kTextTypes) wl_data_source_offer(source, type);
    wl_data_source_offer(source, kSecretHint);
    wl_data_device_set_selection(device_, source, c_.InputSerial());
    deviceSource_ = source;
  } else {
    return false;
  }
  c_.Flush();
  DebugLog("clipboard set");
  return true;
}

void WlClipboard::Dropped() {
  controlSource_ = nullptr;
  deviceSource_ = nullptr;
  DebugLog("clipboard taken by another program");
}

void WlClipboard::Send(const std::string& mimeType, int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  writes_.push_back({fd, mimeType == kSecretHint ? std::string("secret") : text_});
  WriteSome();
}

void WlClipboard::WriteSome() {
  for (auto it = writes_.begin(); it != writes_.end();) {
    while (it->done < it->bytes.size()) {
      const ssize_t n = write(it->fd, it->bytes.data() + it->done, it->bytes.size() - it->done);
      if (n <= 0) break;
      it->done += static_cast<std::size_t>(n);
    }
    const bool blocked = it->done < it->bytes.size() && (errno == EAGAIN || errno == EINTR);
    if (blocked) {
      ++it;
      continue;
    }
    close(it->fd);
    it = writes_.erase(it);
  }
}

void WlClipboard::FinishWrites() {
  for (int round = 0; round < 100 && !writes_.empty(); ++round) {
    std::vector<pollfd> fds;
    for (const Write& w : writes_) fds.push_back({w.fd, POLLOUT, 0});
    poll(fds.data(), fds.size(), 20);
    WriteSome();
  }
}

}  // namespace qv::wl
