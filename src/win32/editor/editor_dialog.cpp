#include "win32/editor/editor_dialog.h"

#include <windowsx.h>

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "base/utf8_text.h"
#include "desktop/window_names.h"
#include "editor/editor_layout.h"
#include "editor/title_field.h"
#include "library/slot_library.h"
#include "win32/base/message_loop.h"
#include "win32/base/system_library.h"
#include "win32/base/wide_text.h"

namespace qv {

namespace {

namespace layout = editor_layout;

// A dialog frame with a caption and no border icons.
constexpr WindowLayout kWindowLayout{.className = kEditorClass,
                                     .caption = layout::kCaption,
                                     .style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
                                     .exStyle = WS_EX_DLGMODALFRAME,
                                     .x = layout::kWindow.left,
                                     .y = layout::kWindow.top,
                                     .width = layout::kWindow.width,
                                     .height = layout::kWindow.height,
                                     .clientSize = true};
// Of what reaches the title other than by typing (a paste, a drop) it keeps what fits in its
// 27 characters (EN_CHANGE); the control's own limit, which counts UTF-16 units, only keeps a
// huge paste out.
constexpr int kTitleUnitLimit = 4 * static_cast<int>(layout::kTitleLimit);

constexpr const DialogLabel* kLabels[] = {&layout::kInstructions, &layout::kTitleLabel,
                                          &layout::kContentLabel};

// The flat buttons are buttons of their own, drawn as the design's: Tab reaches them, Space
// presses them, and a screen reader names them by their captions.
struct ButtonChild {
  const DialogButton& design;
  int id;
  DWORD initially;
};
constexpr ButtonChild kButtons[] = {{layout::kClear, kIdClearButton, 0},
                                    {layout::kUpdateClip, kIdUpdateClip, WS_DISABLED},
                                    {layout::kClose, kIdEditorClose, 0}};

ChildLayout ButtonLayout(const ButtonChild& button) {
  const WindowRect& r = button.design.place;
  return {"BUTTON",
          button.id,
          r.left,
          r.top,
          r.width,
          r.height,
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | button.initially};
}

constexpr ChildLayout kTitleLayout{
    "EDIT",
    kIdTitleField,
    layout::kTitleField.left,
    layout::kTitleField.top,
    layout::kTitleField.width,
    layout::kTitleField.height,
    WS_CHILD | WS_VISIBLE | WS_DISABLED | WS_TABSTOP | ES_AUTOHSCROLL,
    WS_EX_CLIENTEDGE};
constexpr ChildLayout kContentLayout{"RICHEDIT50W",  // MSFTEDIT.DLL: Windows 7 has it too
                                     kIdContentField,
                                     layout::kContentField.left,
                                     layout::kContentField.top,
                                     layout::kContentField.width,
                                     layout::kContentField.height,
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
                      const std::size_t bytes =
                          std::min<std::size_t>(static_cast<std::size_t>(size) & ~std::size_t{1},
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

void EditorDialog::UpdateButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!button_) return;
  // A disabled button drops the keyboard; the dialog keeps it, so Escape and Tab still work.
  if (!enabled && GetFocus() == button_) SetFocus(GetParent(button_));
  EnableWindow(button_, enabled);
}

EditorField EditorDialog::FieldOf(HWND control) const {
  if (control && control == title_.Handle()) return EditorField::Title;
  if (control && control == content_.Handle()) return EditorField::Content;
  return EditorField::Button;
}

void EditorDialog::Focus(EditorField field) {
  if (field == EditorField::Title) SetFocus(title_.Handle());
  if (field == EditorField::Content) SetFocus(content_.Window());
}

void EditorDialog::SelectAll(EditorField field) {
  if (field == EditorField::Title) SendMessageW(title_.Handle(), EM_SETSEL, 0, -1);
  if (field == EditorField::Content) SendMessageW(content_.Window(), EM_SETSEL, 0, -1);
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
  title_.Attach(CreateChild(kTitleLayout, font_.get()));
  SendMessageW(title_.Handle(), EM_LIMITTEXT, kTitleUnitLimit, 0);
  Subclass(title_.Handle());
  for (const ButtonChild& button : kButtons) {
    HWND child = CreateChild(ButtonLayout(button), font_.get(), button.design.caption);
    Subclass(child);
    if (button.id == kIdUpdateClip) updateClip_.Attach(child);
  }
  contentMenu_.reset(CreatePopupMenu());
  AppendMenuW(contentMenu_.get(), MF_STRING, kCmdPasteFromClipboard,
              Utf8ToWide(layout::kPasteFromClipboard).c_str());
  copyMenu_.Create(list_.Handle(),
                   {{layout::kCopyClip, [this] { controller_->CopyHighlightedClip1Click(); }},
                    {layout::kPasteClip, [this] { controller_->PastetoHighlightedClip1Click(); }}});
}

// The title holds 27 characters as the user counts them (an emoji or a letter with its
// accents is one); what goes beyond is cut off, never half a character.
void EditorDialog::KeepTitleLength() {
  const std::wstring now = Utf8ToWide(title_.Text());
  const std::wstring before = std::move(titleBefore_);
  titleBefore_ = now;
  if (title_.ProgramChanging() || CharacterCount(WideToUtf8(now)) <= layout::kTitleLimit) return;
  // What came in is what lies between the parts the change left alone.
  std::size_t head = 0, tail = 0;
  while (head < before.size() && head < now.size() && before[head] == now[head]) ++head;
  while (tail < before.size() - head && tail < now.size() - head &&
         before[before.size() - 1 - tail] == now[now.size() - 1 - tail])
    ++tail;
  const std::wstring kept = before.substr(0, head) + before.substr(before.size() - tail);
  const std::wstring taken = Utf8ToWide(std::string(
      TypedPartThatFits(WideToUtf8(kept), WideToUtf8(now.substr(head, now.size() - head - tail)),
                        layout::kTitleLimit)));
  title_.SetText(WideToUtf8(now.substr(0, head) + taken + now.substr(now.size() - tail)));
  titleBefore_ = Utf8ToWide(title_.Text());
  const auto caret = static_cast<WPARAM>(head + taken.size());
  SendMessageW(title_.Handle(), EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

// A character typed into a full title is refused, as the design's field refuses it; the
// text and the caret stay where they were.
bool EditorDialog::TitleRefuses(wchar_t typed) {
  if (typed < L' ' || typed == 0x7F) return false;  // keys, not characters
  const bool lowHalf = typed >= 0xDC00 && typed <= 0xDFFF;
  if (lowHalf) return titleRefusedHighHalf_;  // goes with the half before it
  DWORD start = 0, end = 0;
  SendMessageW(title_.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  std::wstring kept(GetWindowTextLengthW(title_.Handle()) + 1, L'\0');
  kept.resize(static_cast<std::size_t>(
      GetWindowTextW(title_.Handle(), kept.data(), static_cast<int>(kept.size()))));
  if (start <= end && end <= kept.size()) kept.erase(start, end - start);
  // Half a pair stands for the character it begins.
  const std::wstring character(1, typed >= 0xD800 && typed <= 0xDBFF ? L'\xFFFD' : typed);
  const bool refused =
      TypedPartThatFits(WideToUtf8(kept), WideToUtf8(character), layout::kTitleLimit).empty();
  titleRefusedHighHalf_ = refused && character[0] == L'\xFFFD';
  if (refused) MessageBeep(MB_OK);
  return refused;
}

void EditorDialog::DpiChanged() {
  font_ = CreateUiFont({}, dpi_);
  SetChildrenFont(font_.get());
}

void EditorDialog::Click(int id) {
  switch (id) {
    case kIdClearButton:
      controller_->SpeedButton3Click();
      break;
    case kIdUpdateClip:
      controller_->SpeedButton2Click();
      break;
    case kIdEditorClose:
      controller_->SpeedButton1Click();
      break;
    default:
      break;
  }
}

// Escape, Enter and Ctrl+A as the dialog gives them meaning; true when the key is used up.
bool EditorDialog::KeyDown(HWND control, WPARAM key) {
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  EditorKey meaning;
  if (key == VK_ESCAPE)
    meaning = EditorKey::Escape;
  else if (key == VK_RETURN && !ctrl && !alt)
    meaning = EditorKey::Enter;
  else if (key == 'A' && ctrl && !alt)
    meaning = EditorKey::SelectAll;
  else
    return false;
  bool used = true;
  Run([&] { used = controller_->FormKeyDown(meaning, FieldOf(control)); });
  return used;
}

void EditorDialog::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  FillSolid(dc, client, Themed(ColourOf(layout::kBackground), COLOR_BTNFACE));
  const SelectedObject font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  for (const DialogLabel* label : kLabels) {
    SetTextColor(dc, Themed(ColourOf(label->colour), COLOR_BTNTEXT));
    RECT area = ScaleForWindow(RectOf(label->place));
    DrawTextW(dc, Utf8ToWide(label->text).c_str(), -1, &area, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  }
}

LRESULT EditorDialog::OnChildMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && KeyDown(field, wParam)) return 0;
  if (message == WM_CHAR) {
    // The characters of the keys used up above, and what a full title refuses.
    const auto typed = static_cast<wchar_t>(wParam);
    const bool title = field == title_.Handle();
    if (typed == 0x1B || typed == 0x01 || (typed == L'\r' && field != content_.Handle())) return 0;
    if (title && TitleRefuses(typed)) return 0;
  }
  if (field != title_.Handle() && field != content_.Handle())
    return ChildDefault(field, message, wParam, lParam);  // a button
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
  const bool pasteKey =
      message == WM_KEYDOWN && ((ctrl && wParam == 'V') || (shift && !ctrl && wParam == VK_INSERT));
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
      if (HIWORD(wParam) == BN_CLICKED) Click(LOWORD(wParam));
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(window_))
        Run([&] { controller_->FormActivate(); });
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const SelectedObject font(item.hDC, font_.get());
      DrawFlatButton(item.hDC, item.rcItem, WindowText(item.hwndItem).c_str(),
                     !(item.itemState & ODS_DISABLED), (item.itemState & ODS_SELECTED) != 0,
                     (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT));
      return TRUE;
    }
    case WM_KEYDOWN:  // no field or button has the keyboard
      if (KeyDown(nullptr, wParam)) return 0;
      break;
    case WM_CLOSE:
      return 0;  // "Close" is its way to close
    default:
      break;
  }
  return WindowBase::OnMessage(message, wParam, lParam);
}

}  // namespace qv
