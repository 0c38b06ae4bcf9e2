#pragma once
// The main window on Wayland: the pop-up list as a layer surface on the overlay layer with
// the keyboard to itself where the compositor offers the layer shell, else an xdg toplevel;
// drawn by the core's picture into shared-memory buffers at the outputs' scale. It exists on
// screen only while shown: hiding destroys the surface, which hands the keyboard back.
#include <wayland-client.h>

#include <memory>
#include <string>

#include "linux/kit/drawn_controls.h"
#include "popup/header_notice.h"
#include "popup/label_hint.h"
#include "popup/popup_controller.h"
#include "popup/popup_controls.h"
#include "popup/popup_mouse.h"
#include "popup/popup_picture.h"
#include "wayland/base/soft_canvas.h"
#include "wayland/base/wl_connection.h"

struct zwlr_layer_surface_v1;
struct xdg_surface;
struct xdg_toplevel;

namespace qv::wl {

class PopupWindow : public FormControl, public FocusControl {
 public:
  PopupWindow(Connection& connection, PollLoop& loop);
  ~PopupWindow() override;
  PopupView View();
  void Create(PopupController& controller, MainWindowEvents& events);

  bool Visible() const override { return shown_; }
  void Show() override;
  void Hide() override;
  WindowRect Bounds() const override { return bounds_; }
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int) override {}  // the panel's width is the window's
  bool StayOnTop() const override { return stayOnTop_; }
  void SetStayOnTop(bool onTop) override { stayOnTop_ = onTop; }
  int Dpi() const override { return geometry_.dpi; }
  void Focus() override {}

  // The keyboard is on the list's surface.
  bool HasKeyboard() const { return keyboard_; }
  // The list's surface lost the keyboard to another window while shown.
  std::function<void()> onKeyboardLost;
  struct Callbacks;

 private:
  class NoHintDisplay : public HintWindowDisplay {
   public:
    void ShowAtPointer(const std::string&) override {}
    void Hide() override {}
    bool Visible() const override { return false; }
  };

  void Changed();
  void Paint();
  void Configured(std::uint32_t width, std::uint32_t height);
  void PlaceLayer();
  void OnKey(std::uint32_t evdevKey);
  unsigned VirtualKeyOf(std::uint32_t evdevKey);
  void Destroy();

  Connection& c_;
  PollLoop& loop_;
  ListModel slotList_;
  ListModel labelColumn_;
  ToggleButton crlf_;
  ToggleButton crlfLf_;
  HeaderNotice headerNotice_{[this] { Changed(); }};
  LoopTimer timer1_;
  LoopTimer timer3_;
  NoHintDisplay hintDisplay_;
  LabelHint labelHint_{hintDisplay_};
  PopupGeometry geometry_;
  PopupMouse mouse_;
  FontFaces faces_;
  SurfaceInput input_;
  PopupController* controller_ = nullptr;
  MainWindowEvents* events_ = nullptr;

  WindowRect bounds_;
  Point layerOrigin_;  // the top-left corner of the layer surface's output
  bool shown_ = false;
  bool stayOnTop_ = false;
  bool keyboard_ = false;
  bool configured_ = false;
  bool paintPosted_ = false;
  bool leftHeld_ = false;
  Point lastPointer_;  // on the surface, as last told
  int scale_ = 1;
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  xdg_surface* xdgSurface_ = nullptr;
  xdg_toplevel* toplevel_ = nullptr;
};

}  // namespace qv::wl
