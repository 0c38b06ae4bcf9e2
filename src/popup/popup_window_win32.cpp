#include "popup/popup_window_win32.h"

#include <windowsx.h>

#include <algorithm>

#include "app/error_box_win32.h"
#include "app/window_class_win32.h"
#include "app/window_names.h"
#include "desktop/gdi_win32.h"
#include "desktop/pictures_win32.h"
#include "popup/popup_rules.h"

namespace qv {

namespace {

constexpr COLORREF kLabelColour = kButtonColour;
constexpr int kDesignWidth = 405;
constexpr int kDesignHeight = 496;
constexpr int kPanelWidth = 249;
constexpr int kRowHeight = 13;
constexpr int kRowTextIndent = 20;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kTimer3 = 3;
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
  window_ =
      CreateWindowExA(0, kMainWindowClass, kMainWindowCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                      kDesignWidth, kDesignHeight, applicationWindow, nullptr, instance, nullptr);
  SetOwner(window_, this);
  slotList_ = CreateControl(window_, kSlotListLayout, font_.get());
  labelColumn_ = CreateControl(window_, kLabelColumnLayout, font_.get());
  SetWindowPos(labelColumn_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetOwner(labelColumn_, this);
  labelColumnDefault_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(labelColumn_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LabelColumnProc)));
  for (int page = 0; page < 2; ++page)
    for (int key = 0; kKeyLabels[key]; ++key) {
      const char label[2] = {kKeyLabels[key], '\0'};
      SendMessageA(labelColumn_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    }
}

void PopupWindow::Attach(Program& program, PopupController& controller) {
  program_ = &program;
  controller_ = &controller;
}

void PopupWindow::PreviewKey(unsigned virtualKey) {
  if (IsWindowEnabled(window_)) Run([&] { controller_->FormKeyDown(virtualKey); });
}

void PopupWindow::ReadControls() {
  PopupControls& c = program_->popup;
  c.selectedRow = static_cast<int>(SendMessageA(slotList_, LB_GETCURSEL, 0, 0));
  c.topRow = static_cast<int>(SendMessageA(slotList_, LB_GETTOPINDEX, 0, 0));
  c.labelTopRow = static_cast<int>(SendMessageA(labelColumn_, LB_GETTOPINDEX, 0, 0));
  c.labelSelected = static_cast<int>(SendMessageA(labelColumn_, LB_GETCURSEL, 0, 0));
}

void PopupWindow::ShowState() {
  if (!program_ || !window_) return;
  const PopupControls& c = program_->popup;
  if (shownRows_ != program_->library.rows) {
    shownRows_ = program_->library.rows;
    SendMessageA(slotList_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(slotList_, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : shownRows_)
      SendMessageA(slotList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(slotList_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(slotList_, nullptr, TRUE);
  }
  if (SendMessageA(slotList_, LB_GETCURSEL, 0, 0) != c.selectedRow)
    SendMessageA(slotList_, LB_SETCURSEL, static_cast<WPARAM>(c.selectedRow), 0);
  if (SendMessageA(slotList_, LB_GETTOPINDEX, 0, 0) != c.topRow)
    SendMessageA(slotList_, LB_SETTOPINDEX, static_cast<WPARAM>(c.topRow), 0);
  SendMessageA(slotList_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(c.horizontalExtent), 0);
  EnableWindow(slotList_, c.listsEnabled);
  EnableWindow(labelColumn_, c.listsEnabled);
  if (SendMessageA(labelColumn_, LB_GETTOPINDEX, 0, 0) != c.labelTopRow)
    SendMessageA(labelColumn_, LB_SETTOPINDEX, static_cast<WPARAM>(c.labelTopRow), 0);
  if (SendMessageA(labelColumn_, LB_GETCURSEL, 0, 0) != c.labelSelected)
    SendMessageA(labelColumn_, LB_SETCURSEL, static_cast<WPARAM>(c.labelSelected), 0);
  if (!c.labelHintsEnabled) hint_.Hide();
  if (shownCrLf_ != c.crlfDown || shownCrLfLf_ != c.crlfLfDown) {
    shownCrLf_ = c.crlfDown;
    shownCrLfLf_ = c.crlfLfDown;
    RECT header{kHeaderButtons[0].x, 0, kPanelWidth - 2, 20};
    InvalidateRect(window_, &header, FALSE);
  }
  UpdateTimer(kTimer1, c.timer1Interval, timer1Applied_);
  UpdateTimer(kTimer3, c.timer3Interval, timer3Applied_);
}

void PopupWindow::UpdateTimer(int id, int interval, int& applied) {
  if (interval == applied) return;
  applied = interval;
  if (interval > 0)
    SetTimer(window_, static_cast<UINT_PTR>(id), static_cast<UINT>(interval), nullptr);
  else
    KillTimer(window_, static_cast<UINT_PTR>(id));
}

void PopupWindow::Show() {
  static bool placed = false;
  if (!placed) {
    // Centred on the desktop when first shown.
    placed = true;
    RECT r;
    GetWindowRect(window_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int left = std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - height) / 2);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void PopupWindow::Hide() {
  hint_.Hide();
  // A list still tracking the click that pasted would select its row again on release.
  HWND capture = GetCapture();
  if (capture && (capture == window_ || IsChild(window_, capture))) ReleaseCapture();
  ShowWindow(window_, SW_HIDE);
}

bool PopupWindow::Visible() const {
  return IsWindowVisible(window_) != FALSE;
}

WindowRect PopupWindow::Bounds() const {
  RECT r;
  GetWindowRect(window_, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void PopupWindow::SetLeft(int left) {
  const WindowRect b = Bounds();
  if (b.left == left) return;
  SetWindowPos(window_, nullptr, left, b.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::SetTop(int top) {
  const WindowRect b = Bounds();
  if (b.top == top) return;
  SetWindowPos(window_, nullptr, b.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::SetWidth(int width) {
  const WindowRect b = Bounds();
  if (b.width == width) return;
  SetWindowPos(window_, nullptr, 0, 0, width, b.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::SetStayOnTop(bool onTop) {
  SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PopupWindow::FocusPanel() {
  SetFocus(window_);
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
    ClickSuffixButton(program_->popup,
                      pressed == kCrLf ? SuffixButton::CrLf : SuffixButton::CrLfLf);
    controller_->SpeedButton3Click();
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

void PopupWindow::ShowHintAtPointer() {
  POINT pointer;
  GetCursorPos(&pointer);
  hint_.ShowAt(pointer, program_->popup.labelHint, font_.get());
}

void PopupWindow::LabelColumnMouse(UINT message) {
  if (!program_) return;
  switch (message) {
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, labelColumn_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      if (program_->popup.labelHintsEnabled && !hint_.Visible()) ShowHintAtPointer();
      break;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      hint_.Hide();
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
      hint_.Hide();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK PopupWindow::LabelColumnProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = OwnerOf<PopupWindow>(window);
  self->LabelColumnMouse(message);
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
  return self->Handle(message, wParam, lParam);
}

LRESULT PopupWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
      return reinterpret_cast<LRESULT>(
          SolidBrush(reinterpret_cast<HWND>(lParam) == slotList_ ? kListColour : kLabelColour));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && program_) Run([&] { controller_->FormActivate(); });
      break;
    case WM_ACTIVATEAPP:
      // A paste hands the activation away in the middle of its handler; the loss of
      // activation is handled once that handler has returned.
      if (!wParam && program_) PostMessageA(window_, kDeactivatedMessage, 0, 0);
      break;
    case kDeactivatedMessage:
      Run([&] { controller_->AppDeactivate(); });
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (message == WM_LBUTTONDOWN) {
        OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      } else if (program_) {
        Run([&] { controller_->PanelMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
      }
      return 0;
    case WM_LBUTTONUP:
      OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      if (program_) OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE && program_) {
        if (reinterpret_cast<HWND>(lParam) == slotList_)
          Run([&] { controller_->RxCheckListBox1Click(); });
        else if (reinterpret_cast<HWND>(lParam) == labelColumn_)
          Run([&] { controller_->ListBox7Click(); });
        return 0;
      }
      break;
    case WM_TIMER:
      if (!program_) return 0;
      if (wParam == kTimer1) Run([&] { controller_->Timer1Timer(); });
      if (wParam == kTimer3) Run([&] { controller_->Timer3Timer(); });
      return 0;
    case WM_CLOSE:
      if (program_) Run([&] { program_->CloseMainWindow(); });
      return 0;
    case WM_QUERYENDSESSION: {
      LRESULT answer = 0;
      if (program_) Run([&] { answer = program_->WMQueryEndSession(); });
      return answer;
    }
    case WM_DESTROY:
      KillTimer(window_, kTimer1);
      KillTimer(window_, kTimer3);
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
  const bool slotList = item.hwndItem == slotList_;
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && slotList;
  FillSolid(item.hDC, item.rcItem,
            selected ? GetSysColor(COLOR_HIGHLIGHT) : (slotList ? kListColour : kLabelColour));
  char text[512] = {};
  const LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  if (length >= 0 && length < static_cast<LRESULT>(sizeof text))
    SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kNavy);
  HGDIOBJ old = SelectObject(item.hDC, font_.get());
  RECT area = item.rcItem;
  area.left += slotList ? kRowTextIndent : 2;
  DrawTextA(item.hDC, text, -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
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
    const bool down = (i == kCrLf && shownCrLf_) || (i == kCrLfLf && shownCrLfLf_);
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
