#include "wayland/base/wl_connection.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "linux/base/debug_log.h"
#include "virtual-keyboard-unstable-v1-client.h"
#include "wlr-data-control-unstable-v1-client.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client.h"
#include "wlr-layer-shell-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"
#include "xdg-shell-client.h"

namespace qv::wl {

namespace {

template <typename T>
T* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
        std::uint32_t offered, std::uint32_t wanted) {
  return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

}  // namespace

struct Connection::Callbacks {
  static void Global(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                     std::uint32_t version) {
    auto* c = static_cast<Connection*>(data);
    const std::string i = interface;
    if (i == wl_compositor_interface.name) {
      c->compositor_ = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
    } else if (i == wl_shm_interface.name) {
      c->shm_ = Bind<wl_shm>(registry, name, &wl_shm_interface, version, 1);
    } else if (i == wl_seat_interface.name && !c->seat_) {
      c->seat_ = Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5);
      wl_seat_add_listener(c->seat_, &kSeat, c);
    } else if (i == wl_output_interface.name) {
      Output output;
      output.name = name;
      output.output = Bind<wl_output>(registry, name, &wl_output_interface, version, 2);
      c->outputs_.push_back(output);
      wl_output_add_listener(output.output, &kOutput, c);
      c->WatchLayout(c->outputs_.back());
    } else if (i == wl_data_device_manager_interface.name) {
      c->dataDeviceManager_ = Bind<wl_data_device_manager>(
          registry, name, &wl_data_device_manager_interface, version, 3);
    } else if (i == zwlr_layer_shell_v1_interface.name) {
      c->layerShell_ =
          Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 3);
    } else if (i == xdg_wm_base_interface.name) {
      c->wmBase_ = Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, 1);
      xdg_wm_base_add_listener(c->wmBase_, &kWmBase, c);
    } else if (i == zwlr_data_control_manager_v1_interface.name) {
      c->dataControl_ = Bind<zwlr_data_control_manager_v1>(
          registry, name, &zwlr_data_control_manager_v1_interface, version, 1);
    } else if (i == zwp_virtual_keyboard_manager_v1_interface.name) {
      c->virtualKeyboards_ = Bind<zwp_virtual_keyboard_manager_v1>(
          registry, name, &zwp_virtual_keyboard_manager_v1_interface, version, 1);
    } else if (i == zxdg_output_manager_v1_interface.name) {
      c->layouts_ = Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface,
                                                 version, 2);
      for (Output& output : c->outputs_) c->WatchLayout(output);
    } else if (i == zwlr_foreign_toplevel_manager_v1_interface.name) {
      c->toplevelsName_ = name;
      c->toplevelsVersion_ = version;
    }
  }
  static void GlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    auto* c = static_cast<Connection*>(data);
    auto& outputs = c->outputs_;
    for (auto it = outputs.begin(); it != outputs.end(); ++it) {
      if (it->name != name) continue;
      if (it->layout) zxdg_output_v1_destroy(it->layout);
      wl_output_destroy(it->output);
      outputs.erase(it);
      return;
    }
  }
  static constexpr wl_registry_listener kRegistry{Global, GlobalRemove};

  static void Ping(void*, xdg_wm_base* base, std::uint32_t serial) {
    xdg_wm_base_pong(base, serial);
  }
  static constexpr xdg_wm_base_listener kWmBase{Ping};

  static Output* OutputOf(void* data, wl_output* output) {
    for (Output& o : static_cast<Connection*>(data)->outputs_)
      if (o.output == output) return &o;
    return nullptr;
  }
  static void Geometry(void* data, wl_output* output, int32_t x, int32_t y, int32_t, int32_t,
                       int32_t, const char*, const char*, int32_t) {
    // wlroots tells 0, 0 here: the layout's place comes from the xdg output.
    Output* o = OutputOf(data, output);
    if (o && !o->layout) o->x = x, o->y = y;
  }
  static void Mode(void* data, wl_output* output, std::uint32_t flags, int32_t width,
                   int32_t height, int32_t) {
    if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
    if (Output* o = OutputOf(data, output)) o->width = width, o->height = height;
  }
  static void Done(void*, wl_output*) {}
  static void Scale(void* data, wl_output* output, int32_t factor) {
    if (Output* o = OutputOf(data, output)) o->scale = std::max(factor, 1);
  }
  // Version 2 is bound: the name and description events of later versions never come.
  static constexpr wl_output_listener kOutput{Geometry, Mode, Done, Scale, nullptr, nullptr};

  static Output* LayoutOf(void* data, zxdg_output_v1* layout) {
    for (Output& o : static_cast<Connection*>(data)->outputs_)
      if (o.layout == layout) return &o;
    return nullptr;
  }
  static void LogicalPosition(void* data, zxdg_output_v1* layout, int32_t x, int32_t y) {
    if (Output* o = LayoutOf(data, layout)) o->x = x, o->y = y;
  }
  static void LogicalSize(void* data, zxdg_output_v1* layout, int32_t width, int32_t height) {
    if (Output* o = LayoutOf(data, layout)) o->logicalWidth = width, o->logicalHeight = height;
  }
  static void LayoutDone(void*, zxdg_output_v1*) {}
  static void LayoutName(void*, zxdg_output_v1*, const char*) {}
  static constexpr zxdg_output_v1_listener kLayout{LogicalPosition, LogicalSize, LayoutDone,
                                                   LayoutName, LayoutName};

  static void Capabilities(void* data, wl_seat*, std::uint32_t caps) {
    static_cast<Connection*>(data)->SeatCapabilities(caps);
  }
  static void SeatName(void*, wl_seat*, const char*) {}
  static constexpr wl_seat_listener kSeat{Capabilities, SeatName};

  static void Keymap(void* data, wl_keyboard*, std::uint32_t format, int32_t fd,
                     std::uint32_t size) {
    auto* c = static_cast<Connection*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
      void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (map != MAP_FAILED) {
        c->keymapText_.assign(static_cast<const char*>(map),
                              strnlen(static_cast<const char*>(map), size));
        munmap(map, size);
        if (c->keymap_) xkb_keymap_unref(c->keymap_);
        c->keymap_ =
            xkb_keymap_new_from_string(c->xkb_, c->keymapText_.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                       XKB_KEYMAP_COMPILE_NO_FLAGS);
      }
    }
    close(fd);
  }
  static void Enter(void* data, wl_keyboard*, std::uint32_t serial, wl_surface* surface,
                    wl_array*) {
    auto* c = static_cast<Connection*>(data);
    c->keyboardFocus_ = surface;
    c->inputSerial_ = serial;
    DebugLog("keyboard entered the list");
    if (SurfaceInput* in = c->RouteOf(surface); in && in->keyboardFocus) in->keyboardFocus(true);
  }
  static void Leave(void* data, wl_keyboard*, std::uint32_t, wl_surface* surface) {
    auto* c = static_cast<Connection*>(data);
    // A surface destroyed meanwhile comes as null: the seat has one keyboard focus at a time.
    c->keyboardFocus_ = nullptr;
    DebugLog("keyboard left the list");
    if (SurfaceInput* in = c->RouteOf(surface); in && in->keyboardFocus) in->keyboardFocus(false);
  }
  static void Key(void* data, wl_keyboard*, std::uint32_t serial, std::uint32_t, std::uint32_t key,
                  std::uint32_t state) {
    auto* c = static_cast<Connection*>(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
    c->inputSerial_ = serial;
    if (SurfaceInput* in = c->RouteOf(c->keyboardFocus_); in && in->keyPressed) in->keyPressed(key);
  }
  static void Modifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t,
                        std::uint32_t, std::uint32_t group) {
    static_cast<Connection*>(data)->group_ = group;
  }
  static void RepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}
  static constexpr wl_keyboard_listener kKeyboard{Keymap, Enter, Leave, Key, Modifiers, RepeatInfo};

  static void PointerEnter(void* data, wl_pointer*, std::uint32_t, wl_surface* surface,
                           wl_fixed_t x, wl_fixed_t y) {
    auto* c = static_cast<Connection*>(data);
    c->pointerFocus_ = surface;
    if (SurfaceInput* in = c->RouteOf(surface); in && in->pointerMoved)
      in->pointerMoved(wl_fixed_to_int(x), wl_fixed_to_int(y));
  }
  static void PointerLeave(void* data, wl_pointer*, std::uint32_t, wl_surface* surface) {
    auto* c = static_cast<Connection*>(data);
    c->pointerFocus_ = nullptr;
    if (SurfaceInput* in = c->RouteOf(surface); in && in->pointerLeft) in->pointerLeft();
  }
  static void Motion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
    auto* c = static_cast<Connection*>(data);
    if (SurfaceInput* in = c->RouteOf(c->pointerFocus_); in && in->pointerMoved)
      in->pointerMoved(wl_fixed_to_int(x), wl_fixed_to_int(y));
  }
  static void Button(void* data, wl_pointer*, std::uint32_t serial, std::uint32_t,
                     std::uint32_t button, std::uint32_t state) {
    auto* c = static_cast<Connection*>(data);
    const bool pressed = state == WL_POINTER_BUTTON_STATE_PRESSED;
    if (pressed) c->inputSerial_ = serial;
    if (SurfaceInput* in = c->RouteOf(c->pointerFocus_); in && in->button)
      in->button(button, pressed);
  }
  static void Axis(void* data, wl_pointer*, std::uint32_t, std::uint32_t axis, wl_fixed_t value) {
    auto* c = static_cast<Connection*>(data);
    if (axis != WL_POINTER_AXIS_VERTICAL_SCROLL || value == 0) return;
    if (SurfaceInput* in = c->RouteOf(c->pointerFocus_); in && in->wheel)
      in->wheel(value < 0 ? -1 : 1);
  }
  static void Frame(void*, wl_pointer*) {}
  static void AxisSource(void*, wl_pointer*, std::uint32_t) {}
  static void AxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
  static void AxisDiscrete(void*, wl_pointer*, std::uint32_t, int32_t) {}
  static constexpr wl_pointer_listener kPointer{PointerEnter, PointerLeave, Motion,     Button,
                                                Axis,         Frame,        AxisSource, AxisStop,
                                                AxisDiscrete, nullptr};
};

Connection::Connection() {
  display_ = wl_display_connect(nullptr);
  if (!display_) return;
  xkb_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  registry_ = wl_display_get_registry(display_);
  wl_registry_add_listener(registry_, &Callbacks::kRegistry, this);
  wl_display_roundtrip(display_);  // the globals
  wl_display_roundtrip(display_);  // the seat's capabilities, the outputs, the keymap
}

Connection::~Connection() {
  if (!display_) return;
  if (keymap_) xkb_keymap_unref(keymap_);
  if (xkb_) xkb_context_unref(xkb_);
  wl_display_disconnect(display_);
}

void Connection::WatchLayout(Output& output) {
  if (!layouts_ || output.layout) return;
  output.layout = zxdg_output_manager_v1_get_xdg_output(layouts_, output.output);
  zxdg_output_v1_add_listener(output.layout, &Callbacks::kLayout, this);
}

void Connection::SeatCapabilities(std::uint32_t caps) {
  if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &Callbacks::kKeyboard, this);
  }
  if ((caps & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
    pointer_ = wl_seat_get_pointer(seat_);
    wl_pointer_add_listener(pointer_, &Callbacks::kPointer, this);
  }
}

SurfaceInput* Connection::RouteOf(wl_surface* surface) {
  if (!surface) return nullptr;
  auto found = routes_.find(surface);
  return found == routes_.end() ? nullptr : found->second;
}

void Connection::Attach(PollLoop& loop) {
  loop.AddPollSource({[this](std::vector<pollfd>& fds, int&) {
                        while (wl_display_prepare_read(display_) != 0)
                          wl_display_dispatch_pending(display_);
                        wl_display_flush(display_);
                        fds.push_back({wl_display_get_fd(display_), POLLIN, 0});
                        return true;
                      },
                      [this](const std::vector<pollfd>& fds) {
                        const int fd = wl_display_get_fd(display_);
                        bool ready = false;
                        for (const pollfd& p : fds)
                          if (p.fd == fd && (p.revents & (POLLIN | POLLHUP | POLLERR)))
                            ready = true;
                        if (ready) {
                          if (wl_display_read_events(display_) < 0) {
                            DebugLog("wayland connection lost");
                            if (onLost) onLost();
                          }
                        } else {
                          wl_display_cancel_read(display_);
                        }
                        wl_display_dispatch_pending(display_);
                      }});
}

zwlr_foreign_toplevel_manager_v1* Connection::Toplevels() {
  if (!toplevels_ && toplevelsName_)
    toplevels_ = Bind<zwlr_foreign_toplevel_manager_v1>(registry_, toplevelsName_,
                                                        &zwlr_foreign_toplevel_manager_v1_interface,
                                                        toplevelsVersion_, 3);
  return toplevels_;
}

void Connection::RoundTrip() {
  wl_display_roundtrip(display_);
}

void Connection::Flush() {
  wl_display_flush(display_);
}

WindowRect Output::Bounds() const {
  if (logicalWidth > 0) return {x, y, logicalWidth, logicalHeight};
  return {x, y, width / std::max(scale, 1), height / std::max(scale, 1)};
}

const Output* OutputHolding(const std::vector<Output>& outputs, Point point) {
  for (const Output& o : outputs) {
    const WindowRect r = o.Bounds();
    if (point.x >= r.left && point.y >= r.top && point.x < r.left + r.width &&
        point.y < r.top + r.height)
      return &o;
  }
  return outputs.empty() ? nullptr : &outputs[0];
}

std::vector<Monitor> Connection::Monitors() const {
  std::vector<Monitor> monitors;
  for (const Output& o : outputs_) {
    if (o.width <= 0) continue;
    const WindowRect bounds = o.Bounds();
    monitors.push_back({bounds, bounds, kDesignDpi, monitors.empty()});
  }
  return monitors;
}

int Connection::Scale() const {
  int scale = 1;
  for (const Output& o : outputs_) scale = std::max(scale, o.scale);
  return scale;
}

}  // namespace qv::wl
