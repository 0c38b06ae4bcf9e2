#include "wayland/popup/wl_popup_window.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

#include "desktop/dpi_scale.h"
#include "desktop/key_position.h"
#include "desktop/window_names.h"
#include "library/slot_library.h"
#include "linux/base/debug_log.h"
#include "linux/base/handler_guard.h"
#include "linux/base/key_map.h"
#include "popup/popup_rules.h"
#include "wlr-layer-shell-unstable-v1-client.h"
#include "xdg-shell-client.h"

namespace qv::wl {

namespace {

void BufferReleased(void*, wl_buffer* buffer) {
  wl_buffer_destroy(buffer);
}
constexpr wl_buffer_listener kBuffer{BufferReleased};

}  // namespace

struct PopupWindow::Callbacks {
  static void LayerConfigure(void* data, zwlr_layer_surface_v1* layer, std::uint32_t serial,
                             std::uint32_t width, std::uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    static_cast<PopupWindow*>(data)->Configured(width, height);
  }
  static void LayerClosed(void* data, zwlr_layer_surface_v1*) {
    auto* window = static_cast<PopupWindow*>(data);
    window->loop_.Post([window] { window->Hide(); });
  }
  static constexpr zwlr_layer_surface_v1_listener kLayer{LayerConfigure, LayerClosed};

  static void XdgConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    static_cast<PopupWindow*>(data)->Configured(0, 0);
  }
  static constexpr xdg_surface_listener kXdgSurface{XdgConfigure};
  static void ToplevelConfigure(void*, xdg_toplevel*, int32_t, int32_t, wl_array*) {}
  static void ToplevelClose(void* data, xdg_toplevel*) {
    auto* window = static_cast<PopupWindow*>(data);
    window->loop_.Post(
        [window] { RunHandler([window] { window->controller_->SpeedButton8Click(); }); });
  }
  // Version 1 is bound: the later versions' events never come.
  static constexpr xdg_toplevel_listener kToplevel{ToplevelConfigure, ToplevelClose, nullptr,
                                                   nullptr};

  static void FrameDone(void*, wl_callback* callback, std::uint32_t) {
    wl_callback_destroy(callback);
    DebugLog("list frame shown");
  }
  static constexpr wl_callback_listener kFrame{FrameDone};
};

PopupWindow::PopupWindow(Connection& connection, PollLoop& loop)
    : c_(connection),
      loop_(loop),
      slotList_(kPageRows, [this] { Changed(); }),
      labelColumn_(kPageRows, [this] { Changed(); }),
      crlf_([this] { Changed(); }),
      crlfLf_([this] { Changed(); }),
      timer1_(loop, [this] { RunHandler([this] { controller_->Timer1Timer(); }); }),
      timer3_(loop, [this] { RunHandler([this] { controller_->Timer3Timer(); }); }),
      geometry_(PopupGeometry::ForDpi(kDesignDpi)),
      mouse_(geometry_, slotList_, labelColumn_, labelHint_,
             [](const std::function<void()>& handler) { RunHandler(handler); }),
      faces_(-geometry_.layout.fontHeight, -geometry_.layout.fontHeight,
             -FontHeightForDpi(9, kDesignDpi)) {
  bounds_ = {0, 0, geometry_.layout.panel.width, geometry_.layout.panel.height};
  // Input arrives while the compositor's events are dispatched: the handlers run once that
  // is done, as every handler runs, from the loop.
  input_.keyboardFocus = [this](bool entered) {
    keyboard_ = entered;
    if (!entered && shown_ && onKeyboardLost) onKeyboardLost();
  };
  input_.keyPressed = [this](std::uint32_t key) { loop_.Post([this, key] { OnKey(key); }); };
  input_.pointerMoved = [this](int x, int y) {
    lastPointer_ = {x, y};
    loop_.Post([this, x, y] { mouse_.Move({x, y}, leftHeld_); });
  };
  input_.button = [this](std::uint32_t button, bool pressed) {
    const MouseButton which = button == BTN_LEFT     ? MouseButton::Left
                              : button == BTN_MIDDLE ? MouseButton::Middle
                                                     : MouseButton::Right;
    if (which == MouseButton::Left) leftHeld_ = pressed;
    // Where the pointer was last seen on the surface: Wayland tells positions in motions.
    const Point p = lastPointer_;
    loop_.Post([this, which, pressed, p] {
      if (pressed)
        mouse_.Press(which, p);
      else
        mouse_.Release(which, p);
    });
  };
  input_.wheel = [this](int steps) {
    const Point p = lastPointer_;
    loop_.Post([this, steps, p] {
      mouse_.Press(steps < 0 ? MouseButton::WheelUp : MouseButton::WheelDown, p);
    });
  };
  input_.pointerLeft = [this] { loop_.Post([this] { mouse_.Left(); }); };
}

PopupWindow::~PopupWindow() {
  Destroy();
}

PopupView PopupWindow::View() {
  return PopupView{*this,   *this,         slotList_, labelColumn_, labelHint_,      crlf_,
                   crlfLf_, headerNotice_, timer1_,   timer3_,      geometry_.layout};
}

void PopupWindow::Create(PopupController& controller, MainWindowEvents& events) {
  controller_ = &controller;
  events_ = &events;
  mouse_.Bind(controller, events);
  labelColumn_.SetItems(KeyLabelItems());
}

void PopupWindow::Show() {
  if (shown_) return;
  shown_ = true;
  configured_ = false;
  scale_ = c_.Scale();
  surface_ = wl_compositor_create_surface(c_.Compositor());
  c_.Route(surface_, &input_);
  if (c_.LayerShell()) {
    // On the output the core placed it on; a layer surface stays on its output.
    const Output* output = OutputHolding(c_.Outputs(), CentreOf(bounds_));
    layerOrigin_ = output ? Point{output->x, output->y} : Point{};
    layer_ = zwlr_layer_shell_v1_get_layer_surface(
        c_.LayerShell(), surface_, output ? output->output : nullptr,
        ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "quorvanel-list");
    zwlr_layer_surface_v1_add_listener(layer_, &Callbacks::kLayer, this);
    zwlr_layer_surface_v1_set_size(layer_, static_cast<std::uint32_t>(bounds_.width),
                                   static_cast<std::uint32_t>(bounds_.height));
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    PlaceLayer();
  } else if (c_.WmBase()) {
    xdgSurface_ = xdg_wm_base_get_xdg_surface(c_.WmBase(), surface_);
    xdg_surface_add_listener(xdgSurface_, &Callbacks::kXdgSurface, this);
    toplevel_ = xdg_surface_get_toplevel(xdgSurface_);
    xdg_toplevel_add_listener(toplevel_, &Callbacks::kToplevel, this);
    xdg_toplevel_set_title(toplevel_, kMainWindowCaption);
    xdg_toplevel_set_app_id(toplevel_, "quorvanel");
    xdg_toplevel_set_min_size(toplevel_, bounds_.width, bounds_.height);
    xdg_toplevel_set_max_size(toplevel_, bounds_.width, bounds_.height);
  }
  wl_surface_commit(surface_);
  c_.Flush();
  DebugLog("list shown");
}

void PopupWindow::PlaceLayer() {
  if (!layer_) return;
  // Anchored to its output's top-left corner: the margins are the window's place on it.
  zwlr_layer_surface_v1_set_anchor(
      layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
  zwlr_layer_surface_v1_set_margin(layer_, bounds_.top - layerOrigin_.y, 0, 0,
                                   bounds_.left - layerOrigin_.x);
}

void PopupWindow::Configured(std::uint32_t, std::uint32_t) {
  configured_ = true;
  Paint();
}

void PopupWindow::Destroy() {
  if (surface_) c_.Route(surface_, nullptr);
  if (layer_) zwlr_layer_surface_v1_destroy(layer_);
  if (toplevel_) xdg_toplevel_destroy(toplevel_);
  if (xdgSurface_) xdg_surface_destroy(xdgSurface_);
  if (surface_) wl_surface_destroy(surface_);
  layer_ = nullptr;
  toplevel_ = nullptr;
  xdgSurface_ = nullptr;
  surface_ = nullptr;
  keyboard_ = false;
}

void PopupWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  mouse_.Reset();
  leftHeld_ = false;
  Destroy();
  c_.Flush();
  DebugLog("list hidden");
}

void PopupWindow::SetLeft(int left) {
  bounds_.left = left;
  if (shown_ && layer_) {
    PlaceLayer();
    wl_surface_commit(surface_);
  }
}

void PopupWindow::SetTop(int top) {
  bounds_.top = top;
  if (shown_ && layer_) {
    PlaceLayer();
    wl_surface_commit(surface_);
  }
}

void PopupWindow::Changed() {
  if (!shown_ || !configured_ || paintPosted_) return;
  paintPosted_ = true;
  loop_.Post([this] {
    paintPosted_ = false;
    if (shown_ && configured_) Paint();
  });
}

void PopupWindow::Paint() {
  const int width = bounds_.width * scale_, height = bounds_.height * scale_;
  const int stride = width * 4;
  const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
  const int fd = memfd_create("quorvanel-list", MFD_CLOEXEC);
  if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) {
    if (fd >= 0) close(fd);
    return;
  }
  void* data = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  if (data == MAP_FAILED) {
    close(fd);
    return;
  }
  SoftCanvas canvas(static_cast<std::uint32_t*>(data), width, height, scale_, faces_);
  const auto list = [](const ListModel& model, int selection) {
    return ListPicture{model.Count(), model.TopRow(), model.VisibleRows(), selection,
                       [&model](int row) { return model.Item(row); }};
  };
  PaintPopup(canvas, geometry_,
             {list(slotList_, slotList_.Selection()), list(labelColumn_, -1), headerNotice_.Text(),
              crlf_.Down(), crlfLf_.Down()});
  munmap(data, size);
  wl_shm_pool* pool = wl_shm_create_pool(c_.Shm(), fd, static_cast<int>(size));
  wl_buffer* buffer =
      wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
  wl_shm_pool_destroy(pool);
  close(fd);
  wl_buffer_add_listener(buffer, &kBuffer, nullptr);
  wl_surface_set_buffer_scale(surface_, scale_);
  wl_surface_attach(surface_, buffer, 0, 0);
  wl_surface_damage(surface_, 0, 0, bounds_.width, bounds_.height);
  wl_callback_add_listener(wl_surface_frame(surface_), &Callbacks::kFrame, this);
  wl_surface_commit(surface_);
  c_.Flush();
}

unsigned PopupWindow::VirtualKeyOf(std::uint32_t evdevKey) {
  const xkb_keycode_t code = evdevKey + 8;
  const auto keysymAt = [code](xkb_keymap* map, xkb_layout_index_t group, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    const int n = xkb_keymap_key_get_syms_by_level(map, code, group, level, &syms);
    return n > 0 ? VirtualKeyForKeysym(syms[0]) : 0u;
  };
  // The key's own letter or digit in the active group, unshifted or shifted, then in any
  // group: as on X11, where the slot keys are the layout's own.
  unsigned vk = 0;
  if (xkb_keymap* map = c_.Keymap()) {
    const xkb_layout_index_t groups = xkb_keymap_num_layouts_for_key(map, code);
    const xkb_layout_index_t group = groups ? c_.Group() % groups : 0;
    for (xkb_level_index_t level = 0; level < 2 && vk == 0; ++level)
      vk = keysymAt(map, group, level);
    for (xkb_layout_index_t other = 0; other < groups && vk == 0; ++other)
      vk = keysymAt(map, other, 0);
  }
  if (vk != 0 || !c_.Keymap()) return vk;
  // A layout with no Latin group (Russian alone): the letter a US keyboard has there, by the
  // key's XKB name, as on X11.
  const char* name = xkb_keymap_key_get_name(c_.Keymap(), code);
  return VirtualKeyOfPosition(name ? name : "");
}

void PopupWindow::OnKey(std::uint32_t evdevKey) {
  labelHint_.Cancelled();
  const unsigned vk = VirtualKeyOf(evdevKey);
  if (vk == 0) return;
  RunHandler([&] { controller_->FormKeyDown(vk); });
}

}  // namespace qv::wl
