#pragma once
// The mouse on the pop-up, as the Windows window's controls take it: the wheel and the scroll
// bar page the list, a press and release on the same row chooses it, the header's buttons
// act on release over them, a label click previews, the panel's free surface drags.
#include <functional>

#include "desktop/controls.h"
#include "popup/label_hint.h"
#include "popup/popup_controls.h"
#include "popup/popup_picture.h"

namespace qv {

class PopupController;

enum class MouseButton { Left, Middle, Right, WheelUp, WheelDown };

class PopupMouse {
 public:
  // `run` runs a handler as every handler of the front end runs (an error reported).
  using Runner = std::function<void(const std::function<void()>&)>;
  PopupMouse(const PopupGeometry& geometry, ListBoxControl& slotList, ListBoxControl& labelColumn,
             LabelHint& hint, Runner run)
      : g_(geometry),
        slotList_(slotList),
        labelColumn_(labelColumn),
        hint_(hint),
        run_(std::move(run)) {}
  void Bind(PopupController& controller, MainWindowEvents& events) {
    controller_ = &controller;
    events_ = &events;
  }

  void Press(MouseButton button, Point p);
  void Release(MouseButton button, Point p);
  // `leftAlone`: the left button is held, and no other button, Shift, Ctrl or Alt.
  void Move(Point p, bool leftAlone);
  void Left();   // the pointer left the window
  void Reset();  // the window hides: nothing stays pressed
  // The header's button (HeaderButtonIndex) clicked, or pressed from the keyboard.
  void PressHeaderButton(int button);

 private:
  const PopupGeometry& g_;
  ListBoxControl& slotList_;
  ListBoxControl& labelColumn_;
  LabelHint& hint_;
  Runner run_;
  PopupController* controller_ = nullptr;
  MainWindowEvents* events_ = nullptr;
  int pressedButton_ = -1;  // header button under the pressed left button
  int pressedRow_ = -1;     // slot list row under the pressed left button
  bool listPressed_ = false;
  bool pointerOverLabels_ = false;
};

}  // namespace qv
