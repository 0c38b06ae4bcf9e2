#pragma once
// Small pictures drawn at start: the tray icon, the menu items' pictures, the banner.
#include <windows.h>

#include "tray/tray_menu.h"

namespace qv {

HICON CreateTrayIconPicture();
// The program's icon at the notification area's size; the drawn picture when it is missing.
HICON LoadTrayIconPicture();
HBITMAP CreateMenuPicture(MenuPicture which);
// Draws the title banner, 114 x 16 at 96 dpi, with its top-left corner at (x, y).
void DrawBanner(HDC dc, int x, int y, int dpi);

}  // namespace qv
