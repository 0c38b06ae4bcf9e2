#include "popup/popup_window_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop/error_box_win32.h"
#include "desktop/gdi_win32.h"
#include "desktop/pictures_win32.h"
#include "desktop/window_class_win32.h"
#include "desktop/window_names.h"
#include "popup/popup_rules.h"

namespace qv {

namespace {

constexpr COLORREF kLabelColour = kButtonColour;
constexpr int kDesignWidth = 405;
constexpr int kDesignHeight = 496;
constexpr int kPanelWidth = 249;
constexpr int kRowHeight = 13;
constexpr int kRowTextIndent = 20;
constexpr UINT kDeactivatedMessage = WM_APP + 1;

// The child controls, from the window's design.
struct ControlLayout {
  int id;
  int x, y, width, height;
  DWORD style;
  DWORD exStyle;
};
constexpr ControlLayout kSlotListLayout{kIdSlotList,
                                        8,
                                        18,
                                        233,
                                        473,
                                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPSIBLINGS |
                                            LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                                            LBS_NOINTEGRALHEIGHT,
                                        WS_EX_CLIENTEDGE};
constexpr ControlLayout kLabelColumnLayout{
    kIdKeyLabels,
    10,
    20,
    15,
    470,
    WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
    0};

// The header's flat buttons: "+CR", "+cR" and the close button.
struct HeaderButton {
  int x, y, width, height;
  const char* caption;
};
enum HeaderButtonIndex { kCrLfLf = 0, kCrLf = 1, kClose = 2 };
constexpr HeaderButton kHeaderButtons[] = {
    {163, 2, 29, 16, "+CR"}, {192, 2, 29, 16, "+cR"}, {221, 3, 25, 14, "  "}};

const char* const kKeyLabels = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

HWND CreateControl(HWND parent, const ControlLayout& layout, HFONT font) {
  HWND control = CreateWindowExA(layout.exStyle, "LISTBOX", "", layout.style, layout.x, layout.y,
                                 layout.width, layout.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                                 GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

HBRUSH SolidBrush(COLORREF colour) {
  static HBRUSH list = CreateSolidBrush(kListColour);
  static HBRUSH labels = CreateSolidBrush(kLabelColour);
  return colour == kListColour ? list : labels;
}

}  // namespace

PopupWindow::~PopupWindow() {
  if (window_) DestroyWindow(window_);
}

void PopupWindow::Create(HWND applicationWindow) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass({kMainWindowClass, WindowProc, GetSysColorBrush(COLOR_BTNFACE)});
  font_ = CreateUiFont();
  boldFont_ = CreateUiFont({.weight = FW_BOLD});
  hintWindow_.SetFont(font_.get());
  hintWindow_.onTimeUp = [this] { labelHint_.TimeUp(); };
  window_ =
      CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      kDesignWidth, kDesignHeight, applicationWindow, nullptr, instance, nullptr);
  CentreWhenFirstShown();
  SetOwner(window_, this);
  slotList_.Attach(CreateControl(window_, kSlotListLayout, font_.get()));
  labelColumn_.Attach(CreateControl(window_, kLabelColumnLayout, font_.get()));
  SetWindowPos(labelColumn_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetOwner(slotList_.Handle(), this);
  slotListDefault_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      slotList_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SlotListProc)));
  SetOwner(labelColumn_.Handle(), this);
  labelColumnDefault_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      labelColumn_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelColumnProc)));
  std::vector<std::string> labels;
  for (int page = 0; page < 2; ++page)
    for (int key = 0; kKeyLabels[key]; ++key) labels.emplace_back(1, kKeyLabels[key]);
  labelColumn_.SetItems(labels);
}

void PopupWindow::Attach(PopupController& controller, PopupWindowEvents events) {
  controller_ = &controller;
  events_ = std::move(events);
}

PopupView PopupWindow::View() {
  return PopupView{*this, *this,   slotList_, labelColumn_, labelHint_,
                   crlf_, crlfLf_, timer1_,   timer3_};
}

void PopupWindow::PreviewKey(unsigned virtualKey) {
  if (controller_ && IsWindowEnabled(window_)) Run([&] { controller_->FormKeyDown(virtualKey); });
}

void PopupWindow::HeaderToggle::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  RECT header{kHeaderButtons[0].x, 0, kPanelWidth - 2, 20};
  InvalidateRect(owner_.window_, &header, FALSE);
}

void PopupWindow::Hide() {
  hintWindow_.Hide();
  // A list still tracking the click that pasted would select its row again on release.
  HWND capture = GetCapture();
  if (capture && (capture == window_ || IsChild(window_, capture))) ReleaseCapture();
  Win32Form::Hide();
}

int PopupWindow::HeaderButtonAt(POINT p) const {
  for (int i = 0; i < 3; ++i) {
    const HeaderButton& b = kHeaderButtons[i];
    if (p.x >= b.x && p.x < b.x + b.width && p.y >= b.y && p.y < b.y + b.height) return i;
  }
  return -1;
}

void PopupWindow::OnMouseDown(POINT p) {
  pressedButton_ = HeaderButtonAt(p);
  SetCapture(window_);
  if (pressedButton_ < 0) Run([&] { controller_->PanelMouseDown(p.x, p.y); });
}

void PopupWindow::OnMouseUp(POINT p) {
  const int pressed = pressedButton_;
  pressedButton_ = -1;
  ReleaseCapture();
  if (pressed < 0 || HeaderButtonAt(p) != pressed) return;
  Run([&] {
    if (pressed == kClose) return controller_->SpeedButton8Click();
    controller_->SuffixButtonClick(pressed == kCrLf ? SuffixButton::CrLf : SuffixButton::CrLfLf);
  });
}

void PopupWindow::OnMouseMove(POINT p, WPARAM keys) {
  if (pressedButton_ >= 0) return;
  constexpr WPARAM kAnyButtonOrKey =
      MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL | MK_XBUTTON1 | MK_XBUTTON2;
  const bool leftAlone =
      (keys & kAnyButtonOrKey) == MK_LBUTTON && (GetKeyState(VK_MENU) & 0x8000) == 0;
  if (!leftAlone) return;  // nothing to move; the handler would do nothing either
  Run([&] { controller_->PanelMouseMove(p.x, p.y, leftAlone); });
}

void PopupWindow::LabelColumnMouse(UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, labelColumn_.Handle(), 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      labelHint_.PointerMoved();
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      labelHint_.Cancelled();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
      labelHint_.Cancelled();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK PopupWindow::SlotListProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = OwnerOf<PopupWindow>(window);
  const bool down =
      message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (down && self->events_.listMouseDown)
    self->Run([&] { self->events_.listMouseDown(message == WM_LBUTTONDOWN); });
  const LRESULT result = CallWindowProcA(self->slotListDefault_, window, message, wParam, lParam);
  if (up && self->events_.listMouseUp)
    self->Run([&] { self->events_.listMouseUp(message == WM_RBUTTONUP); });
  return result;
}

LRESULT CALLBACK PopupWindow::LabelColumnProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = OwnerOf<PopupWindow>(window);
  if (self->controller_) self->LabelColumnMouse(message);
  return CallWindowProcA(self->labelColumnDefault_, window, message, wParam, lParam);
}

LRESULT CALLBACK PopupWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = OwnerOf<PopupWindow>(window);
  if (!self) {
    if (message == WM_MEASUREITEM) {
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
      return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

LRESULT PopupWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow(window_, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kRowHeight;
      return TRUE;
    case WM_DRAWITEM:
      DrawListItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(SolidBrush(
          reinterpret_cast<HWND>(lParam) == slotList_.Handle() ? kListColour : kLabelColour));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && controller_) Run([&] { controller_->FormActivate(); });
      break;
    case WM_ACTIVATEAPP:
      // A paste hands the activation away in the middle of its handler; the loss of
      // activation is handled once that handler has returned.
      if (!wParam && controller_) PostMessageA(window_, kDeactivatedMessage, 0, 0);
      break;
    case kDeactivatedMessage:
      Run([&] { controller_->AppDeactivate(); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (message == WM_LBUTTONDOWN) {
        OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      } else if (controller_) {
        Run([&] { controller_->PanelMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
      }
      return 0;
    case WM_LBUTTONUP:
      OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      if (controller_) OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE && controller_) {
        if (reinterpret_cast<HWND>(lParam) == slotList_.Handle())
          Run([&] { controller_->RxCheckListBox1Click(); });
        else if (reinterpret_cast<HWND>(lParam) == labelColumn_.Handle())
          Run([&] { controller_->ListBox7Click(); });
        return 0;
      }
      break;
    case WM_TIMER:
      if (!controller_) return 0;
      if (wParam == timer1_.Id()) Run([&] { controller_->Timer1Timer(); });
      if (wParam == timer3_.Id()) Run([&] { controller_->Timer3Timer(); });
      return 0;
    case WM_CLOSE:
      if (events_.close) Run(events_.close);
      return 0;
    case WM_QUERYENDSESSION: {
      LRESULT answer = 0;
      if (events_.queryEndSession) Run([&] { answer = events_.queryEndSession(); });
      return answer;
    }
    case WM_DESTROY:
      timer1_.SetInterval(0);
      timer3_.SetInterval(0);
      window_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

void PopupWindow::DrawListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool slotList = item.hwndItem == slotList_.Handle();
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && slotList;
  FillSolid(item.hDC, item.rcItem,
            selected ? GetSysColor(COLOR_HIGHLIGHT) : (slotList ? kListColour : kLabelColour));
  // Rows of any length: only their first characters are in view.
  const LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
  if (length > 0)
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kNavy);
  HGDIOBJ old = SelectObject(item.hDC, font_.get());
  RECT area = item.rcItem;
  area.left += slotList ? kRowTextIndent : 2;
  DrawTextA(item.hDC, text.c_str(), -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(item.hDC, old);
}

void PopupWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
  RECT panel{0, 0, kPanelWidth, kDesignHeight};
  FillSolid(dc, panel, kPanelColour);
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
  DrawBanner(dc, 4, 1);
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < 3; ++i) {
    const HeaderButton& b = kHeaderButtons[i];
    RECT r{b.x, b.y, b.x + b.width, b.y + b.height};
    const bool down = (i == kCrLf && crlf_.Down()) || (i == kCrLfLf && crlfLf_.Down());
    if (down) {
      FillSolid(dc, r, RGB(0xF0, 0xE0, 0xB8));
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    if (i == kClose) {
      // The dash glyph: a maroon bar, 8 wide and 2 high, right of the two-space caption.
      const int glyphLeft = r.left + (b.width - 9) / 2 + 3;
      const int glyphTop = r.top + (b.height - 10) / 2;
      RECT bar{glyphLeft, glyphTop + 4, glyphLeft + 8, glyphTop + 6};
      FillSolid(dc, bar, kMaroon);
      continue;
    }
    HGDIOBJ old = SelectObject(dc, boldFont_.get());
    SetTextColor(dc, kMaroon);
    if (down) OffsetRect(&r, 1, 1);
    DrawTextA(dc, b.caption, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
}

}  // namespace qv
