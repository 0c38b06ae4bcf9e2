#include "desktop/controls_win32.h"

#include <algorithm>
#include <cstring>

#include "base/app_error.h"
#include "desktop/message_loop_win32.h"

namespace qv {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, got)));
  return text;
}

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) : except_(except) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM param) -> BOOL {
        auto* self = reinterpret_cast<ThreadWindowsDisabled*>(param);
        if (w != self->except_ && IsWindowVisible(w) && IsWindowEnabled(w)) {
          EnableWindow(w, FALSE);
          self->disabled_.push_back(w);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(this));
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (HWND w : disabled_) EnableWindow(w, TRUE);
}

int Win32ListBox::Count() const {
  return static_cast<int>(Send(LB_GETCOUNT));
}

void Win32ListBox::SetItems(const std::vector<std::string>& items) {
  Send(WM_SETREDRAW, FALSE);
  Send(LB_RESETCONTENT);
  for (const std::string& item : items)
    Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  Send(WM_SETREDRAW, TRUE);
  InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListBox::SetItem(int index, const std::string& text) {
  if (index < 0 || index >= Count()) return;
  const int selection = Selection(), top = TopRow();
  Send(WM_SETREDRAW, FALSE);
  Send(LB_DELETESTRING, static_cast<WPARAM>(index));
  Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
  Send(LB_SETCURSEL, static_cast<WPARAM>(selection));
  Send(LB_SETTOPINDEX, static_cast<WPARAM>(top));
  Send(WM_SETREDRAW, TRUE);
  InvalidateRect(list_, nullptr, TRUE);
}

int Win32ListBox::Selection() const {
  return static_cast<int>(Send(LB_GETCURSEL));
}

void Win32ListBox::Select(int row) {
  if (row < 0 || row >= Count()) row = -1;
  if (Selection() != row) Send(LB_SETCURSEL, static_cast<WPARAM>(row));
}

int Win32ListBox::TopRow() const {
  return static_cast<int>(Send(LB_GETTOPINDEX));
}

void Win32ListBox::SetTopRow(int row) {
  if (TopRow() != row) Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(0, row)));
}

int Win32ListBox::HorizontalExtent() const {
  return static_cast<int>(Send(LB_GETHORIZONTALEXTENT));
}

void Win32ListBox::SetHorizontalExtent(int pixels) {
  Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(pixels));
}

bool Win32ListBox::Enabled() const {
  return IsWindowEnabled(list_) != FALSE;
}

void Win32ListBox::SetEnabled(bool enabled) {
  EnableWindow(list_, enabled);
}

void Win32Text::SetText(const std::string& text) {
  if (WindowText(control_) != text) SetWindowTextA(control_, text.c_str());
}

void Win32Timer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  if (milliseconds > 0)
    SetTimer(*window_, id_, static_cast<UINT>(milliseconds), nullptr);
  else
    KillTimer(*window_, id_);
}

Win32PopupMenu::~Win32PopupMenu() {
  if (menu_) DestroyMenu(menu_);
}

void Win32PopupMenu::Create(HWND owner, std::vector<Item> items) {
  owner_ = owner;
  items_ = std::move(items);
  menu_ = CreatePopupMenu();
  for (std::size_t i = 0; i < items_.size(); ++i)
    AppendMenuA(menu_, MF_STRING, i + 1, items_[i].caption);
}

void Win32PopupMenu::PopupAt(int x, int y) {
  const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner_, nullptr));
  if (chosen >= 1 && chosen <= items_.size() && items_[chosen - 1].chosen)
    items_[chosen - 1].chosen();
}

bool Win32Form::Visible() const {
  return IsWindowVisible(window_) || GetPropA(window_, kHiddenByMinimiseProp) != nullptr;
}

void Win32Form::Show() {
  RemovePropA(window_, kHiddenByMinimiseProp);
  if (centreWhenFirstShown_ && !shownOnce_) {
    const WindowRect b = Bounds();
    const int left = std::max(0, (GetSystemMetrics(SM_CXVIRTUALSCREEN) - b.width) / 2);
    const int top = std::max(0, (GetSystemMetrics(SM_CYVIRTUALSCREEN) - b.height) / 2);
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  shownOnce_ = true;
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Win32Form::Hide() {
  RemovePropA(window_, kHiddenByMinimiseProp);
  ShowWindow(window_, SW_HIDE);
}

WindowRect Win32Form::Bounds() const {
  RECT r{};
  GetWindowRect(window_, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Form::SetLeft(int left) {
  const WindowRect b = Bounds();
  if (b.left == left) return;
  SetWindowPos(window_, nullptr, left, b.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetTop(int top) {
  const WindowRect b = Bounds();
  if (b.top == top) return;
  SetWindowPos(window_, nullptr, b.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetWidth(int width) {
  const WindowRect b = Bounds();
  if (b.width == width) return;
  SetWindowPos(window_, nullptr, 0, 0, width, b.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Win32Form::StayOnTop() const {
  return (GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32Form::SetStayOnTop(bool onTop) {
  if (StayOnTop() == onTop) return;
  SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Form::ShowModal() {
  if (Visible()) throw AppError("Cannot make a visible window modal");
  {
    // The others come back before the dialog hides, so that one of them takes the activation.
    const ThreadWindowsDisabled others(window_);
    closeRequested_ = false;
    Show();
    SetForegroundWindow(window_);
    while (!closeRequested_ && PumpMessage()) {
    }
  }
  Hide();
}

}  // namespace qv
