#include "win32/kit/pictures.h"

#include "base/product.h"
#include "win32/kit/gdi.h"
#include "win32/resources/resource_ids.h"

namespace qv {

namespace {

constexpr COLORREF kBoard = RGB(150, 95, 40);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kClip = RGB(128, 128, 128);
constexpr COLORREF kInk = RGB(0, 0, 160);

void Fill(HDC dc, int l, int t, int r, int b, COLORREF colour) {
  FillSolid(dc, {l, t, r, b}, colour);
}

// A clipboard: brown board, white sheet with lines of writing, grey clip on top; 16 x 16 at
// 96 dpi.
void DrawClipboard(HDC dc, int x, int y, int dpi = kDesignDpi) {
  const auto at = [&](int left, int top, int right, int bottom, COLORREF colour) {
    Fill(dc, x + ScaleForDpi(left, dpi), y + ScaleForDpi(top, dpi), x + ScaleForDpi(right, dpi),
         y + ScaleForDpi(bottom, dpi), colour);
  };
  at(2, 1, 14, 16, kBoard);
  at(4, 3, 12, 14, kPaper);
  for (int line = 6; line <= 12; line += 2) at(5, line, 11, line + 1, kInk);
  at(5, 0, 11, 3, kClip);
}

// A 16 x 16 24-bit picture drawn by `draw` on a background colour.
template <typename Draw>
HBITMAP Picture(COLORREF background, Draw draw) {
  const WindowDc screen(nullptr);
  const MemoryDc dc(screen.Dc());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = 16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const SelectedObject selected(dc.Dc(), bitmap);
  Fill(dc.Dc(), 0, 0, 16, 16, background);
  draw(dc.Dc());
  return bitmap;
}

}  // namespace

HICON CreateTrayIconPicture() {
  const UniqueBitmap colour(Picture(kPanelColour, [](HDC dc) { DrawClipboard(dc, 0, 0); }));
  const UniqueBitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
  {
    const MemoryDc dc(nullptr);
    const SelectedObject selected(dc.Dc(), mask.get());
    PatBlt(dc.Dc(), 0, 0, 16, 16, BLACKNESS);  // every pixel opaque
  }
  ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
  return CreateIconIndirect(&info);
}

HICON LoadTrayIconPicture() {
  // The notification area draws small icons: the size Windows gives for them at the screen's
  // scale, picked from the program's icon, sharp where the drawn picture would be stretched.
  const int size = GetSystemMetrics(SM_CXSMICON);
  auto* icon =
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(QV_PROGRAM_ICON),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  return icon ? icon : CreateTrayIconPicture();
}

HBITMAP CreateMenuPicture(MenuPicture which) {
  const COLORREF background = GetSysColor(COLOR_MENU);
  switch (which) {
    case MenuPicture::Settings:
      return Picture(background, [](HDC dc) {
        // A slider panel: three bars with knobs.
        for (int row = 0; row < 3; ++row) {
          Fill(dc, 2, 3 + row * 5, 14, 4 + row * 5, RGB(60, 60, 60));
          Fill(dc, 4 + row * 4, 1 + row * 5, 7 + row * 4, 6 + row * 5, kInk);
        }
      });
    case MenuPicture::LockAndAdd:
      return Picture(background, [](HDC dc) {
        DrawClipboard(dc, 0, 0);
        Fill(dc, 10, 9, 16, 11, RGB(0, 140, 0));  // a green plus
        Fill(dc, 12, 7, 14, 13, RGB(0, 140, 0));
      });
    case MenuPicture::Quit:
      return Picture(background, [](HDC dc) {
        // A red cross.
        for (int i = 2; i < 14; ++i) {
          Fill(dc, i, i, i + 2, i + 1, RGB(200, 0, 0));
          Fill(dc, 15 - i, i, 17 - i, i + 1, RGB(200, 0, 0));
        }
      });
  }
  return nullptr;
}

void DrawBanner(HDC dc, int x, int y, int dpi) {
  DrawClipboard(dc, x, y, dpi);
  const UniqueFont font = CreateUiFont({.points = 9, .weight = FW_BOLD, .face = "Arial"}, dpi);
  const SelectedObject selected(dc, font.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kBlue);
  RECT text{x + ScaleForDpi(18, dpi), y, x + ScaleForDpi(114, dpi), y + ScaleForDpi(16, dpi)};
  DrawTextW(dc, L"" QV_PRODUCT_NAME, -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace qv
