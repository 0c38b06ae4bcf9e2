#include "editor/editor_dialog_win32.h"

#include <windowsx.h>

#include <richedit.h>

#include <cstring>
#include <string>
#include <vector>

#include "desktop/window_class_win32.h"
#include "desktop/window_names.h"

namespace qv {

namespace {

constexpr int kClientWidth = 359;
constexpr int kClientHeight = 213;
constexpr int kTitleLimit = 27;

struct TextLabel {
  RECT area;
  const char* text;
};
constexpr TextLabel kLabels[] = {
    {{6, 4, kClientWidth - 2, 4 + 26},  // room for a system font wider than the design's
     "Click the row(s) in the other main Quorvanel Clips window where you want\r\nto add  or "
     "modify data.  Multiple adds/modifications are ok."},
    {{6, 37, 6 + 200, 37 + 13}, "Clip title:"},
    {{6, 79, 6 + 200, 79 + 13}, "Clip to paste:"}};

// The flat buttons, each filling its panel.
enum ButtonIndex { kClear = 0, kUpdateClip = 1, kClose = 2 };
const std::vector<FlatButtonLayout> kButtons{{{212, 54, 212 + 46, 54 + 17}, "Clear"},
                                             {{13, 188, 13 + 109, 188 + 22}, "Update Clip"},
                                             {{125, 188, 125 + 109, 188 + 22}, "Close"}};

struct FieldLayout {
  int id, x, y, width, height;
  const char* windowClass;
  DWORD style;
};
constexpr FieldLayout kTitleLayout{
    kIdTitleField,
    6,
    52,
    199,
    21,
    "EDIT",
    WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | ES_AUTOHSCROLL};
constexpr FieldLayout kContentLayout{kIdContentField,
                                     7,
                                     94,
                                     345,
                                     89,
                                     RICHEDIT_CLASSA,
                                     WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_VSCROLL |
                                         ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                         ES_WANTRETURN};

HWND CreateField(HWND parent, const FieldLayout& layout, HFONT font) {
  HWND field = CreateWindowExA(WS_EX_CLIENTEDGE, layout.windowClass, "", layout.style, layout.x,
                               layout.y, layout.width, layout.height, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return field;
}

}  // namespace

EditorDialog::~EditorDialog() {
  if (window_) DestroyWindow(window_);
  if (contentMenu_) DestroyMenu(contentMenu_);
  if (richEditLibrary_) FreeLibrary(richEditLibrary_);
}

std::string EditorDialog::ContentField::Text() const {
  GETTEXTLENGTHEX length{GTL_NUMBYTES | GTL_PRECISE | GTL_USECRLF, CP_ACP};
  HWND window = Window();
  const auto bytes = SendMessageA(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0) + 1, '\0');
  GETTEXTEX get{static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
  SendMessageA(window, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

void EditorDialog::ContentField::SetText(const std::string& text) {
  if (Text() != text) SetWindowTextA(Window(), text.c_str());
}

HWND EditorDialog::ContentField::Window() const {
  if (!window_) window_ = owner_.CreateContentField();
  return window_;
}

HWND EditorDialog::CreateContentField() {
  richEditLibrary_ = LoadLibraryA("riched20.dll");
  HWND field = CreateField(window_, kContentLayout, font_.get());
  SetWindowPos(field, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // tab order 0
  SendMessageA(field, EM_SETTARGETDEVICE, 0, 1);           // no word wrap
  SendMessageA(field, EM_SETEVENTMASK, 0, 0);
  SetOwner(field, this);
  contentDefault_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
  return field;
}

void EditorDialog::FlatButton::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  InvalidateRect(owner_.window_, nullptr, FALSE);
}

void EditorDialog::Create(HWND applicationWindow) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass({kEditorClass, ForwardToOwner<EditorDialog>});
  font_ = CreateUiFont();
  // A dialog frame with a caption and no border icons.
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  window_ = CreateWindowExA(exStyle, kEditorClass, "Add / Modify Clip", style, 376, 119,
                            frame.right - frame.left, frame.bottom - frame.top, applicationWindow,
                            nullptr, instance, nullptr);
  SetOwner(window_, this);
  buttons_ = FlatButtons(kButtons);
  buttons_.enabled = [this](int button) { return button != kUpdateClip || updateClip_.Enabled(); };
  title_.Attach(CreateField(window_, kTitleLayout, font_.get()));
  SendMessageA(title_.Handle(), EM_LIMITTEXT, kTitleLimit, 0);
  SetOwner(title_.Handle(), this);
  titleDefault_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(title_.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProc)));
  contentMenu_ = CreatePopupMenu();
  AppendMenuA(contentMenu_, MF_STRING, kCmdPasteFromClipboard, "Paste from Clipboard");
}

void EditorDialog::Click(int button) {
  if (!controller_) return;
  switch (button) {
    case kClear:
      Run([&] { controller_->SpeedButton3Click(); });
      break;
    case kUpdateClip:
      Run([&] { controller_->SpeedButton2Click(); });
      break;
    case kClose:
      Run([&] { controller_->SpeedButton1Click(); });
      break;
    default:
      break;
  }
}

void EditorDialog::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, kPanelColour);
  HGDIOBJ old = SelectObject(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kNavy);
  for (const TextLabel& label : kLabels) {
    RECT area = label.area;
    DrawTextA(dc, label.text, -1, &area, DT_LEFT | DT_NOPREFIX);
  }
  buttons_.Paint(dc);
  SelectObject(dc, old);
}

LRESULT CALLBACK EditorDialog::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = OwnerOf<EditorDialog>(field);
  return self->OnFieldMessage(field, message, wParam, lParam);
}

LRESULT EditorDialog::OnFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = field == content_.Handle() ? contentDefault_ : titleDefault_;
  if (field == content_.Handle() && message == WM_CONTEXTMENU) {
    contextMenuAsked_ = true;
    if (!content_.MenuAutoPopup() || !controller_) return 0;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    const int chosen = TrackPopupMenu(contentMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                      at.x, at.y, 0, window_, nullptr);
    if (chosen == kCmdPasteFromClipboard) Run([&] { controller_->PastefromClipboard1Click(); });
    return 0;
  }
  if (message == WM_RBUTTONUP) contextMenuAsked_ = false;
  const LRESULT result = CallWindowProcA(original, field, message, wParam, lParam);
  const bool buttonUp =
      message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (buttonUp && controller_) Run([&] { controller_->FieldMouseUp(); });
  // A rich edit may not ask for its menu itself: the right button's release then does.
  if (message == WM_RBUTTONUP && field == content_.Handle() && !contextMenuAsked_) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(field, &at);
    SendMessageA(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(at.x, at.y));
  }
  return result;
}

LRESULT EditorDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      PaintWindow(window_, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && controller_ && IsWindowVisible(window_))
        Run([&] { controller_->FormActivate(); });
      break;
    case WM_LBUTTONDOWN:
      buttons_.Press(window_, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      Click(buttons_.Release(window_, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
      return 0;
    case WM_CLOSE:
      return 0;  // "Close" is its way to close
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace qv
