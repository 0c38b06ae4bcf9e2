#pragma once
// Small pictures drawn at start: the tray icon, the menu items' pictures, the banner.
#include <windows.h>

namespace qv {

enum class MenuPicture { Settings, LockAndAdd, Quit };

HICON CreateTrayIconPicture();
HBITMAP CreateMenuPicture(MenuPicture which);
// Draws the 114 x 16 title banner with its top-left corner at (x, y).
void DrawBanner(HDC dc, int x, int y);

}  // namespace qv
