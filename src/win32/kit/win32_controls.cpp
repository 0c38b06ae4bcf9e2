#include "win32/kit/win32_controls.h"

#include <algorithm>
#include <cstring>

#include "win32/base/wide_text.h"

namespace qv {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(0, got)));
  return WideToUtf8(text);
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
    Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(item).c_str()));
  Send(WM_SETREDRAW, TRUE);
  InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListBox::SetItem(int index, const std::string& text) {
  if (index < 0 || index >= Count()) return;
  const int selection = Selection(), top = TopRow();
  Send(WM_SETREDRAW, FALSE);
  Send(LB_DELETESTRING, static_cast<WPARAM>(index));
  Send(LB_INSERTSTRING, static_cast<WPARAM>(index),
       reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
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
  if (WindowText(control_) != text) SetWindowTextW(control_, Utf8ToWide(text).c_str());
}

void Win32Timer::SetInterval(int milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  if (milliseconds > 0)
    SetTimer(*window_, id_, static_cast<UINT>(milliseconds), nullptr);
  else
    KillTimer(*window_, id_);
}

void Win32PopupMenu::Create(HWND owner, std::vector<Item> items) {
  owner_ = owner;
  items_ = std::move(items);
  menu_.reset(CreatePopupMenu());
  for (std::size_t i = 0; i < items_.size(); ++i)
    AppendMenuW(menu_.get(), MF_STRING, i + 1, Utf8ToWide(items_[i].caption).c_str());
}

void Win32PopupMenu::PopupAt(int x, int y) {
  const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
      menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner_, nullptr));
  if (chosen >= 1 && chosen <= items_.size() && items_[chosen - 1].chosen)
    items_[chosen - 1].chosen();
}

}  // namespace qv
