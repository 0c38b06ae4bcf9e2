#pragma once
// When a message from the tray icon opens the menu.
namespace qv {

enum class TrayMouse {
  RightDown,
  RightUp,
  LeftUp,
  ContextMenu,  // the shell's own ask for the menu: right click, Shift+F10, the menu key
  KeySelect,    // Enter or Space on the icon
  Select,       // Enter on the icon; also follows every left click
  Other
};

class TrayClickTracker {
 public:
  // `shellAsksForMenu`: the shell sends ContextMenu after a right click (the icon's current
  // version); a right release then opens nothing by itself, or the menu would open twice.
  explicit TrayClickTracker(bool shellAsksForMenu = false) : shellAsks_(shellAsksForMenu) {}
  void SetShellAsksForMenu(bool asks) { shellAsks_ = asks; }

  // Returns true when the tray menu is to be opened.
  bool OnMouse(TrayMouse event) {
    const bool afterLeftClick = leftUp_;
    leftUp_ = event == TrayMouse::LeftUp;
    if (menuOpen_) return false;  // a second ask while the menu is up (Enter comes twice)
    switch (event) {
      case TrayMouse::RightDown:
        right_ = true;
        return false;
      case TrayMouse::RightUp: {
        const bool open = right_ && !shellAsks_;
        right_ = false;
        return open;
      }
      case TrayMouse::ContextMenu:
      case TrayMouse::KeySelect:
        return true;
      case TrayMouse::Select:
        // A left click does nothing; Enter on an icon the mouse chose opens the menu.
        return !afterLeftClick;
      default:
        return false;
    }
  }
  void MenuOpened() { menuOpen_ = true; }
  void MenuClosed() { menuOpen_ = false; }
  void Reset() { right_ = leftUp_ = false; }

 private:
  bool shellAsks_;
  bool right_ = false;
  bool leftUp_ = false;
  bool menuOpen_ = false;
};

}  // namespace qv
