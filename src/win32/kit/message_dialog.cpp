#include "win32/kit/message_dialog.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "desktop/monitor_placement.h"
#include "win32/base/screens.h"
#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"
#include "win32/kit/win32_controls.h"

namespace qv {

namespace {

// Sizes in 96-dpi pixels.
// Sizes in 96-dpi pixels.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;
// The answer of a dialog closed by its close box.
constexpr int kClosedByCloseBox = -2;

struct DialogSetup {
  MessageKind kind;
  const std::string* text;
  MessageButtons buttons;
  HFONT font;
  Monitor monitor;  // the one the user works on, whose dpi the box takes
};

struct ButtonSpec {
  int id;
  const char* caption;
};

std::vector<ButtonSpec> ButtonsOf(MessageButtons buttons) {
  if (buttons == MessageButtons::YesNo) return {{IDYES, "&Yes"}, {IDNO, "&No"}};
  return {{IDOK, "OK"}};
}

SIZE TextSize(HWND window, HFONT font, const std::string& text, int widest) {
  const WindowDc dc(window);
  const SelectedObject selected(dc.Dc(), font);
  RECT area{0, 0, widest, 0};
  DrawTextW(dc.Dc(), Utf8ToWide(text).c_str(), -1, &area,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK);
  return {area.right, area.bottom};
}

HWND AddChild(HWND dialog, const char* cls, const char* text, DWORD style, int id, RECT r,
              HFONT font) {
  HWND child = CreateWindowExW(
      0, Utf8ToWide(cls).c_str(), Utf8ToWide(text).c_str(), WS_CHILD | WS_VISIBLE | style, r.left,
      r.top, r.right - r.left, r.bottom - r.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

// Lays the dialog out around its text and centres it on the monitor the user works on.
void Build(HWND dialog, const DialogSetup& setup) {
  SetWindowTextW(dialog, setup.kind == MessageKind::Warning ? L"Warning" : L"Error");
  const int dpi = setup.monitor.dpi;
  const int margin = ScaleForDpi(kMargin, dpi), iconSize = ScaleForDpi(kIconSize, dpi);
  const int buttonWidth = ScaleForDpi(kButtonWidth, dpi);
  const int buttonHeight = ScaleForDpi(kButtonHeight, dpi);
  const int buttonGap = ScaleForDpi(kButtonGap, dpi);
  const SIZE text = TextSize(dialog, setup.font, *setup.text, ScaleForDpi(600, dpi));
  const auto buttons = ButtonsOf(setup.buttons);
  const int buttonsWidth = static_cast<int>(buttons.size()) * (buttonWidth + buttonGap) - buttonGap;
  const int textLeft = margin + iconSize + margin;
  const int width = std::max<int>(textLeft + text.cx + margin, buttonsWidth + 2 * margin);
  const int textHeight = std::max<int>(text.cy, iconSize);
  const int buttonTop = margin + textHeight + margin;
  const int height = buttonTop + buttonHeight + margin;

  const auto icon =
      reinterpret_cast<LPCWSTR>(setup.kind == MessageKind::Warning ? IDI_WARNING : IDI_ERROR);
  HWND iconControl = AddChild(dialog, "STATIC", "", SS_ICON, -1,
                              {margin, margin, margin + iconSize, margin + iconSize}, setup.font);
  SendMessageW(iconControl, STM_SETICON,
               reinterpret_cast<WPARAM>(
                   LoadImageW(nullptr, icon, IMAGE_ICON, iconSize, iconSize, LR_SHARED)),
               0);
  const int textTop = margin + (textHeight - text.cy) / 2;
  AddChild(dialog, "STATIC", setup.text->c_str(), SS_LEFT | SS_NOPREFIX, -1,
           {textLeft, textTop, textLeft + text.cx + 1, textTop + text.cy}, setup.font);
  int left = (width - buttonsWidth) / 2;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button =
        AddChild(dialog, "BUTTON", buttons[i].caption, style, buttons[i].id,
                 {left, buttonTop, left + buttonWidth, buttonTop + buttonHeight}, setup.font);
    if (i == 0) SetFocus(button);
    left += buttonWidth + buttonGap;
  }

  RECT frame{0, 0, width, height};
  AdjustFrameForDpi(frame, GetWindowLongW(dialog, GWL_STYLE), GetWindowLongW(dialog, GWL_EXSTYLE),
                    dpi);
  const WindowRect placed =
      CentreOnMonitor({0, 0, frame.right - frame.left, frame.bottom - frame.top}, setup.monitor,
                      Centring::BothWays);
  SetWindowPos(dialog, HWND_TOPMOST, placed.left, placed.top, placed.width, placed.height, 0);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* setup = reinterpret_cast<const DialogSetup*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER,
                        static_cast<LONG_PTR>(setup->buttons == MessageButtons::YesNo));
      Build(dialog, *setup);
      SetForegroundWindow(dialog);
      return FALSE;  // the focus is set
    }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) {
        EndDialog(dialog, kClosedByCloseBox);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const bool yesNo = GetWindowLongPtrW(dialog, DWLP_USER) != 0;
      // Escape answers the button that means "no change".
      if (id == IDCANCEL) EndDialog(dialog, yesNo ? IDNO : IDOK);
      if (id == IDOK || id == IDYES || id == IDNO) EndDialog(dialog, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// An empty dialog template: the controls are made when the dialog starts.
struct EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu, windowClass, title;
};

}  // namespace

MessageAnswer ShowMessageDialog(MessageKind kind, const std::string& text, MessageButtons buttons) {
  const Monitor monitor = MonitorOfWork(ScreensNow());
  UniqueFont font = CreateUiFont({}, monitor.dpi);
  const DialogSetup setup{kind, &text, buttons, font.get(), monitor};
  EmptyTemplate dialogTemplate{};
  dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialogTemplate.header.dwExtendedStyle = WS_EX_TOPMOST;
  const ThreadWindowsDisabled others;  // the thread's other windows wait meanwhile
  const INT_PTR result =
      DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr,
                              DialogProc, reinterpret_cast<LPARAM>(&setup));
  switch (result) {
    case IDOK:
      return MessageAnswer::Ok;
    case IDYES:
      return MessageAnswer::Yes;
    case IDNO:
      return MessageAnswer::No;
    default:
      return MessageAnswer::Cancel;
  }
}

}  // namespace qv
