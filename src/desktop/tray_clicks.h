#pragma once
// When a release of a mouse button on the tray icon opens the menu.
namespace qv {

enum class TrayMouse { RightDown, RightUp, Other };

class TrayClickTracker {
 public:
  // Returns true when the tray menu is to be opened: a right release after a right press
  // on the icon.
  bool OnMouse(TrayMouse event) {
    switch (event) {
      case TrayMouse::RightDown:
        right_ = true;
        return false;
      case TrayMouse::RightUp: {
        const bool open = right_;
        right_ = false;
        return open;
      }
      default:
        return false;
    }
  }
  void Reset() { right_ = false; }

 private:
  bool right_ = false;
};

}  // namespace qv
