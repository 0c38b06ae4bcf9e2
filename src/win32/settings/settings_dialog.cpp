#include "win32/settings/settings_dialog.h"

#include <windowsx.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "desktop/window_names.h"
#include "library/paste_delay.h"
#include "settings/settings_choices.h"
#include "settings/settings_layout.h"
#include "win32/base/message_loop.h"
#include "win32/base/wide_text.h"
#include "win32/kit/flat_buttons.h"
#include "win32/kit/gdi.h"

namespace qv {

namespace {

namespace layout = settings_layout;

constexpr COLORREF kHeaderColour = ColourOf(layout::kHeaderColour);
// A dialog frame with a caption and no border icons; always on top.
constexpr WindowLayout kWindowLayout{.className = kSettingsClass,
                                     .caption = layout::kCaption,
                                     .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
                                     .exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
                                     .width = layout::kWindow.width,
                                     .height = layout::kWindow.height,
                                     .clientSize = true};

// The labels drawn on the dialog, at their places in the client area.
struct PlacedLabel {
  Point origin;  // of what the label is placed in
  const DialogLabel& label;
};
constexpr Point kHeaderOrigin{layout::kHeader.left, layout::kHeader.top};
constexpr PlacedLabel kLabels[] = {
    {kHeaderOrigin, layout::kProductLabel}, {{}, layout::kHotKeyLabel}, {{}, layout::kDelayLabel}};

enum ButtonIndex { kOk = 0, kCancel = 1 };
const std::vector<FlatButtonLayout> kButtons{
    {RectOf(layout::kOk.place), layout::kOk.caption},
    {RectOf(layout::kCancel.place), layout::kCancel.caption}};

// Refitted to the items shown once created.
constexpr int kComboDropHeight = layout::kHotKeyBox.height + layout::kDropDownItems * 15;
constexpr DWORD kComboStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr ChildLayout ComboLayout(int id, const WindowRect& place) {
  return {"COMBOBOX",       id,          place.left,      place.top, place.width,
          kComboDropHeight, kComboStyle, WS_EX_CLIENTEDGE};
}
constexpr ChildLayout kHotKeyBoxLayout = ComboLayout(kIdHotKeyBox, layout::kHotKeyBox);
constexpr ChildLayout kDelayBoxLayout = ComboLayout(kIdDelayBox, layout::kDelayBox);
constexpr ChildLayout kMakerLabelLayout{"STATIC",
                                        kIdMakerLabel,
                                        kHeaderOrigin.x + layout::kMakerLabel.place.left,
                                        kHeaderOrigin.y + layout::kMakerLabel.place.top,
                                        layout::kMakerLabel.place.width,
                                        layout::kMakerLabel.place.height,
                                        WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_LEFT};

// Labels size themselves to their text, whatever font the system substitutes.
void FitLabelToText(HWND label, HFONT font) {
  const std::wstring text = Utf8ToWide(WindowText(label));
  SIZE size{};
  {
    const WindowDc dc(label);
    const SelectedObject selected(dc.Dc(), font);
    GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  SetWindowPos(label, nullptr, 0, 0, size.cx + 1, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace

template <std::size_t N>
HWND SettingsDialog::CreateCombo(const ChildLayout& layout,
                                 const std::array<const char*, N>& items) {
  HWND box = CreateChild(layout, font_.get());
  // Filled without redrawing after each item: a hidden box has nothing to show meanwhile.
  SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  for (const char* item : items)
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
  SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  FitDropDown(box, layout);
  return box;
}

// The drop-down list shows its items at a time, whatever the font's height.
void SettingsDialog::FitDropDown(HWND box, const ChildLayout& layout) {
  const auto editHeight = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const auto itemHeight = SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
  SetWindowPos(box, nullptr, 0, 0, ScaleForWindow(layout.width),
               static_cast<int>(editHeight + ScaleForWindow(6) +
                                layout::kDropDownItems * itemHeight + ScaleForWindow(2)),
               SWP_NOMOVE | SWP_NOZORDER);
}

void SettingsDialog::Open(SettingsController& controller) {
  controller_ = &controller;
  Run([&] {
    if (!window_) Create();
    controller.SettingsClick();
  });
}

void SettingsDialog::CreateFonts() {
  font_ = CreateUiFont({}, dpi_);
  underlinedFont_ = CreateUiFont({.underline = true}, dpi_);
}

void SettingsDialog::DpiChanged() {
  CreateFonts();
  SetChildrenFont(font_.get());
  makerLabel_.Refont();
  FitLabelToText(makerLabel_.window, font_.get());
  FitDropDown(hotKeyBox_.Handle(), kHotKeyBoxLayout);
  FitDropDown(delayBox_.Handle(), kDelayBoxLayout);
  buttons_ = FlatButtons(kButtons, dpi_);
}

void SettingsDialog::Create() {
  headerBrush_.reset(CreateSolidBrush(kHeaderColour));
  CreateWindowFrom(kWindowLayout, owner_.Handle());
  CreateFonts();
  MoveFocusWithTab(window_);
  CentreWhenFirstShown();
  buttons_ = FlatButtons(kButtons, dpi_);
  hotKeyBox_.Attach(CreateCombo(kHotKeyBoxLayout, kHotKeyChoices));
  delayBox_.Attach(CreateCombo(kDelayBoxLayout, kPasteDelayChoices));
  makerLabel_.window = CreateChild(kMakerLabelLayout, font_.get(), layout::kMakerLabel.text);
  // The boxes' edit parts: Escape there is "Cancel" too.
  for (HWND box : {hotKeyBox_.Handle(), delayBox_.Handle()})
    if (HWND edit = GetWindow(box, GW_CHILD)) Subclass(edit);
  FitLabelToText(makerLabel_.window, font_.get());
  Subclass(makerLabel_.window);
}

void SettingsDialog::MakerLabel::SetUnderlined(bool underlined) {
  if (underlined_ == underlined) return;
  underlined_ = underlined;
  Refont();
}

void SettingsDialog::MakerLabel::Refont() {
  HFONT font = underlined_ ? owner_.underlinedFont_.get() : owner_.font_.get();
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SettingsDialog::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, Themed(ColourOf(layout::kBackground), COLOR_BTNFACE));
  RECT header = ScaleForWindow(RectOf(layout::kHeader));
  FillSolid(dc, header, Themed(kHeaderColour, COLOR_BTNFACE));
  DrawEdge(dc, &header, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
  const SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  for (const PlacedLabel& placed : kLabels) {
    SetTextColor(dc, Themed(ColourOf(placed.label.colour), COLOR_BTNTEXT));
    const std::wstring text = Utf8ToWide(placed.label.text);
    TextOutW(dc, ScaleForWindow(placed.origin.x + placed.label.place.left),
             ScaleForWindow(placed.origin.y + placed.label.place.top), text.c_str(),
             static_cast<int>(text.size()));
  }
  buttons_.Paint(dc);
}

// Escape is "Cancel", as in any dialog box; a box's open list takes its Escape first.
bool SettingsDialog::EscapeCancels(HWND control, UINT message, WPARAM key) {
  if (message != WM_KEYDOWN || key != VK_ESCAPE) return false;
  HWND box = control ? GetParent(control) : nullptr;
  if (box && SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0)) return false;
  controller_->BitBtn2Click();
  return true;
}

LRESULT SettingsDialog::OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  if (child != makerLabel_.window) {
    bool cancelled = false;
    Run([&] { cancelled = EscapeCancels(child, message, wParam); });
    return cancelled ? 0 : ChildDefault(child, message, wParam, lParam);
  }
  MakerLabel& label = makerLabel_;
  if (message == WM_MOUSEMOVE && !label.pointerOn) {
    label.pointerOn = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, child, 0};
    TrackMouseEvent(&track);
    Run([&] { controller_->RxLabel3MouseEnter(); });
  } else if (message == WM_MOUSELEAVE) {
    label.pointerOn = false;
  }
  return ChildDefault(child, message, wParam, lParam);
}

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == makerLabel_.window) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, Themed(ColourOf(layout::kMakerLabel.colour), COLOR_HOTLIGHT));
        if (HighContrastOn()) {
          SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
          return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        SetBkColor(dc, kHeaderColour);
        return reinterpret_cast<LRESULT>(headerBrush_.get());
      }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {  // the boxes' edit fields and their drop-down lists
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, Themed(ColourOf(layout::kBoxText), COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == makerLabel_.window && HIWORD(wParam) == STN_CLICKED) {
        controller_->RxLabel3Click();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // Only a shown dialog is activated by the user; a hidden one can be by an error box
      // closing at start-up.
      if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(window_))
        Run([&] { controller_->FormActivate(); });
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      const int clicked = buttons_.OnMouse(window_, message, lParam);
      if (clicked == kOk) controller_->BitBtn1Click();
      if (clicked == kCancel) controller_->BitBtn2Click();
      return 0;
    }
    case WM_KEYDOWN:  // no box has the keyboard
      if (EscapeCancels(nullptr, message, wParam)) return 0;
      break;
    case WM_CLOSE:
      return 0;  // "OK" and "Cancel" are the ways to close it
    default:
      break;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
