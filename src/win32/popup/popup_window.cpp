#include "win32/popup/popup_window.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "desktop/window_names.h"
#include "popup/popup_rules.h"
#include "win32/base/message_loop.h"
#include "win32/base/screens.h"
#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"
#include "win32/kit/pictures.h"

namespace qv {

namespace {

constexpr COLORREF kLabelColour = kButtonColour;
constexpr UINT kDeactivatedMessage = WM_APP + 1;

constexpr WindowLayout kWindowLayout{.className = kMainWindowClass,
                                     .caption = kMainWindowCaption,
                                     .style = WS_POPUP | WS_CLIPCHILDREN,
                                     .width = 405,
                                     .height = 496};

// The child controls; their places are PopupLayoutForDpi's, at the window's dpi.
constexpr ChildLayout kSlotListLayout{.windowClass = "LISTBOX",
                                      .id = kIdSlotList,
                                      .style = WS_CHILD | WS_VISIBLE | WS_VSCROLL |
                                               WS_CLIPSIBLINGS | LBS_OWNERDRAWFIXED |
                                               LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                      .exStyle = WS_EX_CLIENTEDGE};
constexpr ChildLayout kLabelColumnLayout{.windowClass = "LISTBOX",
                                         .id = kIdKeyLabels,
                                         .style = WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED |
                                                  LBS_HASSTRINGS | LBS_NOTIFY |
                                                  LBS_NOINTEGRALHEIGHT};

// The header's flat buttons: "+CR", "+cR" and the close button.
enum HeaderButtonIndex { kCrLfLf = 0, kCrLf = 1, kClose = 2 };
constexpr const char* kHeaderCaptions[] = {"+CR", "+cR", "  "};

const char* const kKeyLabels = "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

PopupView PopupWindow::View() {
  return PopupView{*this, *this,   slotList_, labelColumn_, labelHint_,
                   crlf_, crlfLf_, timer1_,   timer3_,      layout_};
}

void PopupWindow::Create(HWND applicationWindow, PopupController& controller,
                         MainWindowEvents& events) {
  controller_ = &controller;
  events_ = &events;
  listBrush_.reset(CreateSolidBrush(kListColour));
  labelBrush_.reset(CreateSolidBrush(kLabelColour));
  hintWindow_.onTimeUp = [this] { labelHint_.TimeUp(); };
  CreateWindowFrom(kWindowLayout, applicationWindow);
  CentreWhenFirstShown();
  CreateFonts();
  // The rows' height is asked for while the list is made; its border is measured after.
  layout_ = PopupLayoutForDpi(dpi_, MetricForDpi(SM_CXEDGE, dpi_));
  slotList_.Attach(CreatePlacedChild(kSlotListLayout, layout_.slotList, font_.get()));
  labelColumn_.Attach(CreatePlacedChild(kLabelColumnLayout, layout_.labelColumn, font_.get()));
  LayOut();
  SetWindowPos(labelColumn_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Subclass(slotList_.Handle());
  Subclass(labelColumn_.Handle());
  std::vector<std::string> labels;
  for (int page = 0; page < 2; ++page)
    for (int key = 0; kKeyLabels[key]; ++key) labels.emplace_back(1, kKeyLabels[key]);
  labelColumn_.SetItems(labels);
  // Keyboard preview: the window sees every key press before its controls.
  SetMessagePreview([this](const MSG& msg) {
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (keyDown && window_ && (msg.hwnd == window_ || IsChild(window_, msg.hwnd)))
      PreviewKey(static_cast<unsigned>(msg.wParam));
  });
}

void PopupWindow::CreateFonts() {
  font_ = CreateUiFont({}, dpi_);
  boldFont_ = CreateUiFont({.weight = FW_BOLD}, dpi_);
  hintWindow_.SetFont(font_.get());
}

// The layout at the window's dpi, with the list's border as the system draws it there.
void PopupWindow::LayOut() {
  RECT outer{}, client{};
  GetWindowRect(slotList_.Handle(), &outer);
  GetClientRect(slotList_.Handle(), &client);
  layout_ = PopupLayoutForDpi(dpi_, (outer.bottom - outer.top - client.bottom) / 2);
  for (const auto& [list, place] : {std::pair(slotList_.Handle(), layout_.slotList),
                                    std::pair(labelColumn_.Handle(), layout_.labelColumn)}) {
    SendMessageW(list, LB_SETITEMHEIGHT, 0, layout_.rowHeight);
    SetWindowPos(list, nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const WindowRect bounds = Bounds();
  SetWindowPos(window_, nullptr, 0, 0, bounds.width, layout_.panel.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::DpiChanged() {
  CreateFonts();
  SetChildrenFont(font_.get());
  LayOut();
}

void PopupWindow::PreviewKey(unsigned virtualKey) {
  if (IsWindowEnabled(window_)) Run([&] { controller_->FormKeyDown(virtualKey); });
}

void PopupWindow::HeaderToggle::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  const PopupLayout& layout = owner_.layout_;
  RECT header{layout.crLfLfButton.left, 0, layout.panel.width - 2, owner_.ScaleForWindow(20)};
  InvalidateRect(owner_.window_, &header, FALSE);
}

void PopupWindow::Hide() {
  hintWindow_.Hide();
  // A list still tracking the click that pasted would select its row again on release.
  HWND capture = GetCapture();
  if (capture && (capture == window_ || IsChild(window_, capture))) ReleaseCapture();
  Win32Form::Hide();
}

std::array<WindowRect, 3> PopupWindow::HeaderButtons() const {
  return {layout_.crLfLfButton, layout_.crLfButton, layout_.closeButton};
}

int PopupWindow::HeaderButtonAt(POINT p) const {
  const auto buttons = HeaderButtons();
  for (int i = 0; i < 3; ++i)
    if (Contains(buttons[i], {p.x, p.y})) return i;
  return -1;
}

void PopupWindow::OnMouseDown(POINT p) {
  pressedButton_ = HeaderButtonAt(p);
  SetCapture(window_);
  if (pressedButton_ < 0) controller_->PanelMouseDown(p.x, p.y);
}

void PopupWindow::OnMouseUp(POINT p) {
  const int pressed = pressedButton_;
  pressedButton_ = -1;
  ReleaseCapture();
  if (pressed < 0 || HeaderButtonAt(p) != pressed) return;
  if (pressed == kClose) return controller_->SpeedButton8Click();
  controller_->SuffixButtonClick(pressed == kCrLf ? SuffixButton::CrLf : SuffixButton::CrLfLf);
}

void PopupWindow::OnMouseMove(POINT p, WPARAM keys) {
  if (pressedButton_ >= 0) return;
  constexpr WPARAM kAnyButtonOrKey =
      MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL | MK_XBUTTON1 | MK_XBUTTON2;
  const bool leftAlone =
      (keys & kAnyButtonOrKey) == MK_LBUTTON && (GetKeyState(VK_MENU) & 0x8000) == 0;
  if (!leftAlone) return;  // nothing to move; the handler would do nothing either
  controller_->PanelMouseMove(p.x, p.y, leftAlone);
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

LRESULT PopupWindow::OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (child == labelColumn_.Handle()) {
    LabelColumnMouse(message);
    return ChildDefault(child, message, wParam, lParam);
  }
  const bool down =
      message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (down) Run([&] { events_->RxCheckListBox1MouseDown(message == WM_LBUTTONDOWN); });
  const LRESULT result = ChildDefault(child, message, wParam, lParam);
  if (up) Run([&] { events_->RxCheckListBox1MouseUp(message == WM_RBUTTONUP); });
  return result;
}

LRESULT PopupWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = layout_.rowHeight;
      return TRUE;
    case WM_DRAWITEM:
      DrawListItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(reinterpret_cast<HWND>(lParam) == slotList_.Handle()
                                           ? listBrush_.get()
                                           : labelBrush_.get());
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) Run([&] { controller_->FormActivate(); });
      break;
    case WM_ACTIVATEAPP:
      // A paste hands the activation away in the middle of its handler; the loss of
      // activation is handled once that handler has returned.
      if (!wParam) PostMessageW(window_, kDeactivatedMessage, 0, 0);
      break;
    case kDeactivatedMessage:
      controller_->AppDeactivate();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (message == WM_LBUTTONDOWN)
        OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      else
        controller_->PanelMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == LBN_SELCHANGE) {
        if (reinterpret_cast<HWND>(lParam) == slotList_.Handle())
          controller_->RxCheckListBox1Click();
        else if (reinterpret_cast<HWND>(lParam) == labelColumn_.Handle())
          controller_->ListBox7Click();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == timer1_.Id()) controller_->Timer1Timer();
      if (wParam == timer3_.Id()) controller_->Timer3Timer();
      return 0;
    case WM_CLOSE:
      events_->CloseMainWindow();
      return 0;
    case WM_QUERYENDSESSION:
      return events_->WMQueryEndSession();
    case WM_ENDSESSION:
      events_->WMEndSession(wParam != FALSE);
      return 0;
    case WM_DESTROY:
      timer1_.SetInterval(0);
      timer3_.SetInterval(0);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

void PopupWindow::DrawListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const bool slotList = item.hwndItem == slotList_.Handle();
  const bool selected = (item.itemState & ODS_SELECTED) != 0 && slotList;
  FillSolid(item.hDC, item.rcItem,
            selected ? GetSysColor(COLOR_HIGHLIGHT) : (slotList ? kListColour : kLabelColour));
  // Rows of any length: only their first characters are in view.
  const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
  if (length > 0)
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kNavy);
  const SelectedObject font(item.hDC, font_.get());
  RECT area = item.rcItem;
  area.left += slotList ? layout_.rowTextIndent : ScaleForWindow(2);
  DrawTextW(item.hDC, text.c_str(), -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PopupWindow::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));
  RECT panel{0, 0, layout_.panel.width, layout_.panel.height};
  FillSolid(dc, panel, kPanelColour);
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
  DrawBanner(dc, layout_.banner.left, layout_.banner.top, dpi_);
  SetBkMode(dc, TRANSPARENT);
  const auto buttons = HeaderButtons();
  for (int i = 0; i < 3; ++i) {
    const WindowRect& b = buttons[i];
    RECT r{b.left, b.top, b.left + b.width, b.top + b.height};
    const bool down = (i == kCrLf && crlf_.Down()) || (i == kCrLfLf && crlfLf_.Down());
    if (down) {
      FillSolid(dc, r, RGB(0xF0, 0xE0, 0xB8));
      DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    if (i == kClose) {
      // The dash glyph: a maroon bar, 8 wide and 2 high in a 9 x 10 picture, right of the
      // two-space caption.
      const int glyphLeft = r.left + (b.width - ScaleForWindow(9)) / 2 + ScaleForWindow(3);
      const int glyphTop = r.top + (b.height - ScaleForWindow(10)) / 2;
      RECT bar{glyphLeft, glyphTop + ScaleForWindow(4), glyphLeft + ScaleForWindow(8),
               glyphTop + ScaleForWindow(6)};
      FillSolid(dc, bar, kMaroon);
      continue;
    }
    const SelectedObject font(dc, boldFont_.get());
    SetTextColor(dc, kMaroon);
    if (down) OffsetRect(&r, 1, 1);
    DrawTextW(dc, Utf8ToWide(kHeaderCaptions[i]).c_str(), -1, &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace qv
