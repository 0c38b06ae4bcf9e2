#include "win32/editor/editor_dialog.h"

#include <windowsx.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "base/product.h"
#include "base/utf8_text.h"
#include "desktop/window_names.h"
#include "library/slot_library.h"
#include "win32/base/message_loop.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {

// A dialog frame with a caption and no border icons.
constexpr WindowLayout kWindowLayout{.className = kEditorClass,
                                     .caption = "Add / Modify Clip",
                                     .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
                                     .exStyle = WS_EX_DLGMODALFRAME,
                                     .x = 376,
                                     .y = 119,
                                     .width = 359,
                                     .height = 213,
                                     .clientSize = true};
// Characters beyond the title's 27 are cut as they come (EN_CHANGE); the control's own limit,
// which counts UTF-16 units, only keeps a huge paste out.
constexpr int kTitleUnitLimit = 4 * static_cast<int>(kTitleFieldLength);

struct TextLabel {
  RECT area;
  const char* text;
};
constexpr TextLabel kLabels[] = {
    {{6, 4, kWindowLayout.width - 6, 4 + 26},  // the design's 343 and the right margin
     "Click the row(s) in the other main " QV_PRODUCT_NAME " window where you want\r\nto add  or "
     "modify data.  Multiple adds/modifications are ok."},
    {{6, 37, 6 + 200, 37 + 13}, "Clip title:"},
    {{6, 79, 6 + 200, 79 + 13}, "Clip to paste:"}};

// The flat buttons, each filling its panel.
enum ButtonIndex { kClear = 0, kUpdateClip = 1, kClose = 2 };
const std::vector<FlatButtonLayout> kButtons{{{212, 54, 212 + 46, 54 + 17}, "Clear"},
                                             {{13, 188, 13 + 109, 188 + 22}, "Update Clip"},
                                             {{125, 188, 125 + 109, 188 + 22}, "Close"}};

constexpr ChildLayout kTitleLayout{
    "EDIT",
    kIdTitleField,
    6,
    52,
    199,
    21,
    WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | ES_AUTOHSCROLL,
    WS_EX_CLIENTEDGE};
constexpr ChildLayout kContentLayout{"RICHEDIT50W",  // MSFTEDIT.DLL: Windows 7 has it too
                                     kIdContentField,
                                     7,
                                     94,
                                     345,
                                     89,
                                     WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_VSCROLL |
                                         ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                         ES_WANTRETURN,
                                     WS_EX_CLIENTEDGE};

}  // namespace

std::string EditorDialog::ContentField::Text() const {
  constexpr UINT kUtf16 = 1200;
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE | GTL_USECRLF, kUtf16};
  HWND window = Window();
  const auto units = SendMessageW(window, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
  std::wstring text(static_cast<std::size_t>(units > 0 ? units : 0) + 1, L'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_USECRLF, kUtf16, nullptr,
                nullptr};
  SendMessageW(window, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::wcslen(text.c_str()));
  return WideToUtf8(text);
}

// Streamed in as text: a clip that begins with "{\rtf" is text to show, not RTF to render.
void EditorDialog::ContentField::SetText(const std::string& text) {
  if (Text() == text) return;
  programChanging_ = true;
  struct Source {
    std::wstring text;
    std::size_t at = 0;
  } source{Utf8ToWide(text)};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0,
                    [](DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
                      auto& from = *reinterpret_cast<Source*>(cookie);
                      const std::size_t bytes = std::min<std::size_t>(
                          static_cast<std::size_t>(size) & ~std::size_t{1},
                          (from.text.size() - from.at) * sizeof(wchar_t));
                      std::memcpy(buffer, from.text.data() + from.at, bytes);
                      from.at += bytes / sizeof(wchar_t);
                      *done = static_cast<LONG>(bytes);
                      return 0;
                    }};
  SendMessageW(Window(), EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
  programChanging_ = false;
}

void EditorDialog::ContentField::PasteFromClipboard() {
  SendMessageW(Window(), EM_PASTESPECIAL, CF_UNICODETEXT, 0);  // text only, never a picture
}

HWND EditorDialog::ContentField::Window() const {
  if (!window_) window_ = owner_.CreateContentField();
  return window_;
}

HWND EditorDialog::CreateContentField() {
  richEditLibrary_.reset(LoadSystemLibrary("msftedit.dll"));
  HWND field = CreateChild(kContentLayout, font_.get());
  // Plain text: what is typed, pasted or loaded is text, as the clip is.
  SendMessageW(field, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  SetWindowPos(field, HWND_TOP, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);  // tab order 0
  SendMessageW(field, EM_SETTARGETDEVICE, 0, 1);           // no word wrap
  SendMessageW(field, EM_SETEVENTMASK, 0, ENM_CHANGE);     // typing marks the clip as changed
  Subclass(field);
  return field;
}

void EditorDialog::FlatButton::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  InvalidateRect(owner_.window_, nullptr, FALSE);
}

void EditorDialog::Open(EditorController& controller) {
  controller_ = &controller;
  if (!window_) Create();
  controller.LockForUpdate1Click();
}

void EditorDialog::Create() {
  CreateWindowFrom(kWindowLayout, owner_.Handle());
  font_ = CreateUiFont({}, dpi_);
  MoveFocusWithTab(window_);
  buttons_ = FlatButtons(kButtons, dpi_);
  buttons_.enabled = [this](int button) { return button != kUpdateClip || updateClip_.Enabled(); };
  title_.Attach(CreateChild(kTitleLayout, font_.get()));
  SendMessageW(title_.Handle(), EM_LIMITTEXT, kTitleUnitLimit, 0);
  Subclass(title_.Handle());
  contentMenu_.reset(CreatePopupMenu());
  AppendMenuW(contentMenu_.get(), MF_STRING, kCmdPasteFromClipboard, L"Paste from Clipboard");
  copyMenu_.Create(list_.Handle(),
                   {{"Copy Clip", [this] { controller_->CopyHighlightedClip1Click(); }},
                    {"Paste Clip", [this] { controller_->PastetoHighlightedClip1Click(); }}});
}

// The title holds 27 characters as the user counts them (an emoji or a letter with its
// accents is one); what goes beyond is cut off, never half a character.
void EditorDialog::KeepTitleLength() {
  const std::string text = title_.Text();
  const std::size_t keep = CharacterPrefix(text, kTitleFieldLength);
  if (keep == text.size()) return;
  title_.SetText(text.substr(0, keep));
  const int end = GetWindowTextLengthW(title_.Handle());
  SendMessageW(title_.Handle(), EM_SETSEL, static_cast<WPARAM>(end), end);
}

void EditorDialog::DpiChanged() {
  font_ = CreateUiFont({}, dpi_);
  SetChildrenFont(font_.get());
  auto enabled = buttons_.enabled;
  buttons_ = FlatButtons(kButtons, dpi_);
  buttons_.enabled = enabled;
}

void EditorDialog::Click(int button) {
  switch (button) {
    case kClear:
      controller_->SpeedButton3Click();
      break;
    case kUpdateClip:
      controller_->SpeedButton2Click();
      break;
    case kClose:
      controller_->SpeedButton1Click();
      break;
    default:
      break;
  }
}

void EditorDialog::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, Themed(kPanelColour, COLOR_BTNFACE));
  const SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Themed(kNavy, COLOR_BTNTEXT));
  for (const TextLabel& label : kLabels) {
    // The design's lines flow into the box as one paragraph: a wider font than the design's
    // (Wine's) would otherwise cut the first line off.
    std::string text = label.text;
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
      text.replace(at, 2, " ");
    RECT area = ScaleForWindow(label.area);
    DrawTextW(dc, Utf8ToWide(text).c_str(), -1, &area, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  }
  buttons_.Paint(dc);
}

LRESULT EditorDialog::OnChildMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  if (field == content_.Handle() && message == WM_CONTEXTMENU) {
    contextMenuAsked_ = true;
    if (!content_.MenuAutoPopup()) return 0;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) GetCursorPos(&at);
    const int chosen =
        TrackPopupMenu(contentMenu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x,
                       at.y, 0, window_, nullptr);
    if (chosen == kCmdPasteFromClipboard) controller_->PastefromClipboard1Click();
    return 0;
  }
  if (message == WM_RBUTTONUP) contextMenuAsked_ = false;
  // Every paste into the content takes the clipboard's text alone.
  const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  const bool pasteKey = message == WM_KEYDOWN && ((ctrl && wParam == 'V') ||
                                                  (shift && !ctrl && wParam == VK_INSERT));
  if (field == content_.Handle() && (message == WM_PASTE || pasteKey)) {
    content_.PasteFromClipboard();
    return 0;
  }
  const LRESULT result = ChildDefault(field, message, wParam, lParam);
  const bool buttonUp =
      message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
  if (buttonUp) Run([&] { controller_->FieldMouseUp(); });
  // A rich edit may not ask for its menu itself: the right button's release then does.
  if (message == WM_RBUTTONUP && field == content_.Handle() && !contextMenuAsked_) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(field, &at);
    SendMessageW(field, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(field), MAKELPARAM(at.x, at.y));
  }
  return result;
}

LRESULT EditorDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_COMMAND: {
      // Typed, pasted, cut or dropped by the user: the program's own SetText is not a change.
      const HWND field = reinterpret_cast<HWND>(lParam);
      const bool userChange =
          (field == title_.Handle() && !title_.ProgramChanging()) ||
          (field == content_.Handle() && field != nullptr && !content_.ProgramChanging());
      if (LOWORD(wParam) == kIdTitleField && HIWORD(wParam) == EN_CHANGE) KeepTitleLength();
      if (HIWORD(wParam) == EN_CHANGE && userChange) Run([&] { controller_->FieldChanged(); });
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(window_))
        Run([&] { controller_->FormActivate(); });
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      Click(buttons_.OnMouse(window_, message, lParam));
      return 0;
    case WM_CLOSE:
      return 0;  // "Close" is its way to close
    default:
      break;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
