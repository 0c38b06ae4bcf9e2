#include "win32/popup/popup_window.h"

#include <windowsx.h>

#include <imm.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "desktop/window_names.h"
#include "popup/popup_rules.h"
#include "win32/base/message_loop.h"
#include "win32/base/screens.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"
#include "win32/kit/pictures.h"

namespace qv {

namespace {

// With a Japanese, Chinese or Korean input method on, the slot keys would reach the list as
// VK_PROCESSKEY and choose nothing: the list window and its controls take no input method.
// Looked up at run time, as imm32 is no library the program links to.
void KeepInputMethodsAway(HWND window) {
  using AssociateContextEx = BOOL(WINAPI*)(HWND, HIMC, DWORD);
  static const HMODULE imm = LoadSystemLibrary("imm32.dll");
  if (const auto associate = SystemFunction<AssociateContextEx>(imm, "ImmAssociateContextEx")) {
    associate(window, nullptr, 0);
    associate(window, nullptr, IACE_CHILDREN);
  }
}

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

// The header's flat buttons: "+CR", "+cR" and the close button, which a screen reader names
// "Close" (its caption is two spaces beside the dash). Placed by LayOut.
enum HeaderButtonIndex { kCrLfLf = 0, kCrLf = 1, kClose = 2 };
constexpr const char* kHeaderCaptions[] = {"+CR", "+cR", "  "};
constexpr const char* kHeaderNames[] = {"+CR", "+cR", "Close"};
constexpr int kHeaderIds[] = {kIdCrLfLfButton, kIdCrLfButton, kIdCloseButton};
constexpr DWORD kHeaderButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kHeaderNoticeStyle =
    WS_CHILD | SS_NOTIFY | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS | SS_NOPREFIX | SS_CENTERIMAGE;

}  // namespace

PopupView PopupWindow::View() {
  return PopupView{*this,   *this,         slotList_, labelColumn_, labelHint_, crlf_,
                   crlfLf_, headerNotice_, timer1_,   timer3_,      layout_};
}

void PopupWindow::Create(HWND applicationWindow, PopupController& controller,
                         MainWindowEvents& events) {
  controller_ = &controller;
  events_ = &events;
  listBrush_.reset(CreateSolidBrush(kListColour));
  labelBrush_.reset(CreateSolidBrush(kLabelColour));
  panelBrush_.reset(CreateSolidBrush(kPanelColour));
  hintWindow_.onTimeUp = [this] { labelHint_.TimeUp(); };
  CreateWindowFrom(kWindowLayout, applicationWindow);
  CentreWhenFirstShown();
  CreateFonts();
  // The rows' height is asked for while the list is made; its border is measured after.
  layout_ = PopupLayoutForDpi(dpi_, MetricForDpi(SM_CXEDGE, dpi_));
  slotList_.Attach(CreatePlacedChild(kSlotListLayout, layout_.slotList, font_.get()));
  labelColumn_.Attach(CreatePlacedChild(kLabelColumnLayout, layout_.labelColumn, font_.get()));
  CreateHeader();
  LayOut();
  SetWindowPos(labelColumn_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Subclass(slotList_.Handle());
  Subclass(labelColumn_.Handle());
  for (HWND button : headerButtons_) Subclass(button);
  MoveFocusWithTab(window_);  // Tab reaches the header's buttons
  KeepInputMethodsAway(window_);
  labelColumn_.SetItems(KeyLabelItems());
  // Keyboard preview: the window sees every key press before its controls.
  SetMessagePreview([this](const MSG& msg) {
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (keyDown && window_ && (msg.hwnd == window_ || IsChild(window_, msg.hwnd)))
      PreviewKey(static_cast<unsigned>(msg.wParam));
  });
}

void PopupWindow::CreateHeader() {
  const auto buttons = HeaderButtons();
  for (int i = 0; i < 3; ++i) {
    headerButtons_[i] = CreatePlacedChild(
        {.windowClass = "BUTTON", .id = kHeaderIds[i], .style = kHeaderButtonStyle}, buttons[i],
        boldFont_.get());
    SetWindowTextW(headerButtons_[i], Utf8ToWide(kHeaderNames[i]).c_str());
  }
  crlfLf_.Attach(headerButtons_[kCrLfLf]);
  crlf_.Attach(headerButtons_[kCrLf]);
  headerNotice_.Attach(CreatePlacedChild(
      {.windowClass = "STATIC", .id = kIdHeaderNotice, .style = kHeaderNoticeStyle}, {},
      font_.get()));  // placed by LayOut
}

void PopupWindow::HeaderNotice::SetText(const std::string& text) {
  if (WindowText(label_) != text) SetWindowTextW(label_, Utf8ToWide(text).c_str());
  ShowWindow(label_, text.empty() ? SW_HIDE : SW_SHOWNA);
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
  const auto buttons = HeaderButtons();
  for (int i = 0; i < 3; ++i) {
    const WindowRect& b = buttons[i];
    SetWindowPos(headerButtons_[i], nullptr, b.left, b.top, b.width, b.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const WindowRect& banner = layout_.banner;
  SetWindowPos(headerNotice_.Handle(), nullptr, banner.left, banner.top,
               buttons[kCrLfLf].left - ScaleForWindow(2) - banner.left, banner.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const WindowRect bounds = Bounds();
  SetWindowPos(window_, nullptr, 0, 0, bounds.width, layout_.panel.height,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::DpiChanged() {
  CreateFonts();
  SetChildrenFont(font_.get());
  for (HWND button : headerButtons_)
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), TRUE);
  LayOut();
}

void PopupWindow::PreviewKey(unsigned virtualKey) {
  if (IsWindowEnabled(window_)) Run([&] { controller_->FormKeyDown(virtualKey); });
}

void PopupWindow::HeaderToggle::SetDown(bool down) {
  if (down_ == down) return;
  down_ = down;
  // An owner-drawn button tells a screen reader no pressed state: its name does.
  const std::string caption = WindowText(button_);
  const std::string name = caption.substr(0, caption.find(' '));
  SetWindowTextW(button_, Utf8ToWide(down ? name + " on" : name).c_str());
  InvalidateRect(button_, nullptr, FALSE);
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

void PopupWindow::HeaderButtonClick(HWND button) {
  if (button == headerButtons_[kClose]) return controller_->SpeedButton8Click();
  controller_->SuffixButtonClick(button == headerButtons_[kCrLf] ? SuffixButton::CrLf
                                                                 : SuffixButton::CrLfLf);
}

void PopupWindow::OnMouseMove(POINT p, WPARAM keys) {
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
  if (std::find(headerButtons_.begin(), headerButtons_.end(), child) != headerButtons_.end()) {
    // A click leaves the keyboard where it was (the panel, after the hot key); only Tab
    // moves it onto a button.
    if (message == WM_LBUTTONDOWN) focusBeforeClick_ = GetFocus();
    const LRESULT result = ChildDefault(child, message, wParam, lParam);
    if (message == WM_LBUTTONUP && focusBeforeClick_ && focusBeforeClick_ != child &&
        IsWindow(focusBeforeClick_))
      SetFocus(std::exchange(focusBeforeClick_, nullptr));
    return result;
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
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (item.CtlType == ODT_BUTTON)
        DrawHeaderButton(item);
      else
        DrawListItem(item);
      return TRUE;
    }
    case WM_CTLCOLORLISTBOX: {
      const bool slotList = reinterpret_cast<HWND>(lParam) == slotList_.Handle();
      if (HighContrastOn())
        return reinterpret_cast<LRESULT>(GetSysColorBrush(slotList ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(slotList ? listBrush_.get() : labelBrush_.get());
    }
    case WM_CTLCOLORSTATIC: {  // the header's notice
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, Themed(kMaroon, COLOR_BTNTEXT));
      SetBkColor(dc, Themed(kPanelColour, COLOR_BTNFACE));
      if (HighContrastOn()) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(panelBrush_.get());
    }
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
      if (message == WM_LBUTTONDOWN) SetCapture(window_);
      controller_->PanelMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      ReleaseCapture();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED &&
          std::find(headerButtons_.begin(), headerButtons_.end(), reinterpret_cast<HWND>(lParam)) !=
              headerButtons_.end()) {
        HeaderButtonClick(reinterpret_cast<HWND>(lParam));
        return 0;
      }
      if (HIWORD(wParam) == STN_CLICKED &&
          reinterpret_cast<HWND>(lParam) == headerNotice_.Handle()) {
        hintWindow_.ShowAtPointer(headerNotice_.Text());
        return 0;
      }
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
      if (wParam == sessionEndTimer_.Id()) {
        sessionEndTimer_.SetInterval(0);
        events_->WMEndSession(false);  // no news from Windows: the session went on
      }
      return 0;
    case WM_CLOSE:
      events_->CloseMainWindow();
      return 0;
    case WM_QUERYENDSESSION: {
      const int answer = events_->WMQueryEndSession();
      if (answer == 0) sessionEndTimer_.SetInterval(kSessionEndTellMs);
      return answer;
    }
    case WM_ENDSESSION:
      sessionEndTimer_.SetInterval(0);
      events_->WMEndSession(wParam != FALSE);
      return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMSUSPEND) events_->Suspending();
      if (wParam == PBT_APMRESUMESUSPEND) events_->Resumed();  // the user is back
      return TRUE;
    case WM_DESTROY:
      timer1_.SetInterval(0);
      timer3_.SetInterval(0);
      sessionEndTimer_.SetInterval(0);
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
            selected ? GetSysColor(COLOR_HIGHLIGHT)
                     : (slotList ? Themed(kListColour, COLOR_WINDOW)
                                 : Themed(kLabelColour, COLOR_BTNFACE)));
  // Rows of any length: only their first characters are in view.
  const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
  if (length > 0)
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, selected   ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                         : slotList ? Themed(kNavy, COLOR_WINDOWTEXT)
                                    : Themed(kNavy, COLOR_BTNTEXT));
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
  FillSolid(dc, panel, Themed(kPanelColour, COLOR_BTNFACE));
  DrawEdge(dc, &panel, BDR_RAISEDINNER, BF_RECT);
  DrawBanner(dc, layout_.banner.left, layout_.banner.top, dpi_);
}

// Drawn as the design's flat buttons were drawn on the panel: at 96 dpi, pixel for pixel.
void PopupWindow::DrawHeaderButton(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const int i =
      static_cast<int>(std::find(headerButtons_.begin(), headerButtons_.end(), item.hwndItem) -
                       headerButtons_.begin());
  if (i >= 3) return;
  const bool contrast = HighContrastOn();
  const bool down = (i == kCrLf && crlf_.Down()) || (i == kCrLfLf && crlfLf_.Down());
  FillSolid(dc, r, contrast ? GetSysColor(down ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : kPanelColour);
  if (down) {
    if (!contrast) FillSolid(dc, r, ColourOf(colour::kButtonDown));
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  }
  const COLORREF ink = contrast ? GetSysColor(down ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : kMaroon;
  if (i == kClose) {
    // The dash glyph: a bar, 8 wide and 2 high in a 9 x 10 picture, right of the
    // two-space caption.
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int glyphLeft = r.left + (width - ScaleForWindow(9)) / 2 + ScaleForWindow(3);
    const int glyphTop = r.top + (height - ScaleForWindow(10)) / 2;
    RECT bar{glyphLeft, glyphTop + ScaleForWindow(4), glyphLeft + ScaleForWindow(8),
             glyphTop + ScaleForWindow(6)};
    FillSolid(dc, bar, ink);
  } else {
    const SelectedObject font(dc, boldFont_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ink);
    RECT text = r;
    if (down) OffsetRect(&text, 1, 1);
    DrawTextW(dc, Utf8ToWide(kHeaderCaptions[i]).c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  // Reached by Tab: the keyboard's place shows.
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    InflateRect(&r, -1, -1);
    DrawFocusRect(dc, &r);
  }
}

}  // namespace qv
