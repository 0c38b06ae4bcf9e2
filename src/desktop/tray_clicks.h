#pragma once
// Which mouse buttons went down on the tray icon, and when a release opens the menu.
namespace qv {

enum class TrayMouse { LeftDown, LeftUp, RightDown, RightUp, LeftDoubleClick, Other };

class TrayClickTracker {
 public:
  // Returns true when the tray menu is to be opened: a right release after a right press
  // on the icon.
  bool OnMouse(TrayMouse event) {
    switch (event) {
      case TrayMouse::LeftDown:
        left_ = true;
        return false;
      case TrayMouse::RightDown:
        right_ = true;
        return false;
      case TrayMouse::LeftUp:
        left_ = false;
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
  void Reset() { left_ = right_ = false; }

 private:
  bool left_ = false;
  bool right_ = false;
};

}  // namespace qv
