#pragma once
// The one connection to the Wayland compositor: the globals the program uses, the seat's
// keyboard and pointer with the serial of the latest input, the outputs, and the connection's
// share of the program's poll loop. Input on the program's surfaces goes to the listener the
// surface registered.
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "desktop/monitor_placement.h"
#include "linux/base/poll_loop.h"

struct zwlr_layer_shell_v1;
struct xdg_wm_base;
struct zwlr_data_control_manager_v1;
struct zwp_virtual_keyboard_manager_v1;
struct zwlr_foreign_toplevel_manager_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;

namespace qv::wl {

// What a surface of the program is told of the seat's input.
struct SurfaceInput {
  std::function<void(bool entered)> keyboardFocus;
  // An evdev key code pressed (repeats are the compositor's to drop: it sends none).
  std::function<void(std::uint32_t evdevKey)> keyPressed;
  // Pointer buttons as evdev codes (BTN_LEFT ...), the wheel as +-1, positions in surface
  // coordinates.
  std::function<void(int x, int y)> pointerMoved;
  std::function<void(std::uint32_t button, bool pressed)> button;
  std::function<void(int steps)> wheel;
  std::function<void()> pointerLeft;
};

struct Output {
  wl_output* output = nullptr;
  zxdg_output_v1* layout = nullptr;  // where the compositor tells the place in its layout
  std::uint32_t name = 0;
  int x = 0, y = 0, width = 0, height = 0, scale = 1;
  int logicalWidth = 0, logicalHeight = 0;  // 0: not told, the mode's size by the scale
  // Its place and size in the layout, in the units windows are placed in.
  WindowRect Bounds() const;
};

// The output holding `point` (layout coordinates), else the first; null when there is none.
const Output* OutputHolding(const std::vector<Output>& outputs, Point point);

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  bool Connected() const { return display_ != nullptr; }
  // Joins the loop: the connection's events are read and dispatched in it.
  void Attach(PollLoop& loop);
  // Sends what is queued and waits for the compositor to have handled it.
  void RoundTrip();
  void Flush();

  wl_display* Display() const { return display_; }
  wl_compositor* Compositor() const { return compositor_; }
  wl_shm* Shm() const { return shm_; }
  wl_seat* Seat() const { return seat_; }
  wl_data_device_manager* DataDeviceManager() const { return dataDeviceManager_; }
  zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
  xdg_wm_base* WmBase() const { return wmBase_; }
  zwlr_data_control_manager_v1* DataControl() const { return dataControl_; }
  zwp_virtual_keyboard_manager_v1* VirtualKeyboards() const { return virtualKeyboards_; }
  // Bound at the first call: the manager tells its windows at once, to the listener its
  // user adds right after.
  zwlr_foreign_toplevel_manager_v1* Toplevels();
  const std::vector<Output>& Outputs() const { return outputs_; }
  std::vector<Monitor> Monitors() const;
  int Scale() const;  // the largest output scale

  // The serial of the latest key or button press on a surface of the program.
  std::uint32_t InputSerial() const { return inputSerial_; }
  // The keymap the compositor gave the seat's keyboard, as its text; empty before it has.
  const std::string& KeymapText() const { return keymapText_; }
  xkb_keymap* Keymap() const { return keymap_; }
  xkb_context* XkbContext() const { return xkb_; }
  // The active group of the seat's keyboard, as last told.
  std::uint32_t Group() const { return group_; }
  bool KeyboardOnProgram() const { return keyboardFocus_ != nullptr; }

  void Route(wl_surface* surface, SurfaceInput* input) {
    if (input)
      routes_[surface] = input;
    else
      routes_.erase(surface);
  }

  // The compositor has gone: the data are saved, the program ends.
  std::function<void()> onLost;

  // The listeners' way in (C callbacks).
  struct Callbacks;

 private:
  SurfaceInput* RouteOf(wl_surface* surface);
  void SeatCapabilities(std::uint32_t caps);
  void WatchLayout(Output& output);

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  wl_pointer* pointer_ = nullptr;
  wl_data_device_manager* dataDeviceManager_ = nullptr;
  zwlr_layer_shell_v1* layerShell_ = nullptr;
  xdg_wm_base* wmBase_ = nullptr;
  zwlr_data_control_manager_v1* dataControl_ = nullptr;
  zwp_virtual_keyboard_manager_v1* virtualKeyboards_ = nullptr;
  zwlr_foreign_toplevel_manager_v1* toplevels_ = nullptr;
  zxdg_output_manager_v1* layouts_ = nullptr;
  std::uint32_t toplevelsName_ = 0, toplevelsVersion_ = 0;
  std::vector<Output> outputs_;
  std::map<wl_surface*, SurfaceInput*> routes_;
  wl_surface* keyboardFocus_ = nullptr;
  wl_surface* pointerFocus_ = nullptr;
  std::uint32_t inputSerial_ = 0;
  xkb_context* xkb_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  std::string keymapText_;
  std::uint32_t group_ = 0;
};

}  // namespace qv::wl
