#pragma once
// The main window: the pop-up list with its header ("+CR", "+cR", the dash), the slot list
// and the key label column, drawn by itself at the layout the Windows window has.
#include <memory>

#include "linux/kit/drawn_controls.h"
#include "popup/header_notice.h"
#include "popup/label_hint.h"
#include "popup/popup_controller.h"
#include "popup/popup_controls.h"
#include "popup/popup_layout.h"
#include "popup/popup_mouse.h"
#include "popup/popup_picture.h"
#include "x11/base/drawing.h"
#include "x11/kit/text_window.h"
#include "x11/kit/x_form.h"

namespace qv {

class XPopupWindow : public XForm, public FocusControl {
 public:
  explicit XPopupWindow(EventLoop& loop);
  PopupView View();
  // Creates the window hidden; its events go to `controller` and `events`.
  void Create(PopupController& controller, MainWindowEvents& events);
  void Focus() override {}
  void Show() override;
  void Hide() override;

 private:
  // The hint window as the label column's hint shows it.
  class HintDisplay : public HintWindowDisplay {
   public:
    explicit HintDisplay(XPopupWindow& owner) : owner_(owner) {}
    void ShowAtPointer(const std::string& text) override;
    void Hide() override { owner_.hintWindow_.Hide(); }
    bool Visible() const override { return owner_.hintWindow_.Visible(); }

   private:
    XPopupWindow& owner_;
  };

  void OnEvent(XEvent& event) override;
  void OnKey(XKeyEvent& key);
  void Paint();
  // Tab and Shift+Tab move among the header's buttons and Space presses the one reached, as
  // Windows' dialog keys do; true when the key was one of those.
  bool HeaderButtonKey(KeySym keysym, unsigned state);
  void Changed() { Redraw(); }

  ListModel slotList_;
  ListModel labelColumn_;
  ToggleButton crlf_;
  ToggleButton crlfLf_;
  HeaderNotice headerNotice_{[this] { Changed(); }};
  LoopTimer timer1_;
  LoopTimer timer3_;
  TextWindow hintWindow_;
  HintDisplay hintDisplay_{*this};
  LabelHint labelHint_{hintDisplay_};
  PopupGeometry geometry_;
  const PopupLayout& layout_ = geometry_.layout;
  std::unique_ptr<Font> font_, boldFont_, bannerFont_;
  PopupController* controller_ = nullptr;
  MainWindowEvents* events_ = nullptr;
  PopupMouse mouse_;
  int focusedButton_ = -1;  // header button reached by Tab; -1: none
};

}  // namespace qv
