#pragma once
// The control interfaces over real windows: every call goes to the control at once.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "desktop/controls.h"
#include "win32/base/handles.h"

namespace qv {

// Marks a form that MinimiseApplication hid: it still counts as visible and comes back
// when the application is restored.
inline constexpr const wchar_t* kHiddenByMinimiseProp = L"QvHiddenByMinimise";

std::string WindowText(HWND window);

// While it lives, every other shown window of the thread is disabled, as for a modal window.
class ThreadWindowsDisabled {
 public:
  explicit ThreadWindowsDisabled(HWND except = nullptr);
  ~ThreadWindowsDisabled();
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  HWND except_;
  std::vector<HWND> disabled_;
};

class Win32ListBox : public ListBoxControl {
 public:
  explicit Win32ListBox(HWND list = nullptr) : list_(list) {}
  void Attach(HWND list) { list_ = list; }
  HWND Handle() const { return list_; }

  int Count() const override;
  void SetItems(const std::vector<std::string>& items) override;
  void SetItem(int index, const std::string& text) override;
  int Selection() const override;
  void Select(int row) override;
  int TopRow() const override;
  void SetTopRow(int row) override;
  int HorizontalExtent() const override;
  void SetHorizontalExtent(int pixels) override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(list_, message, wParam, lParam);
  }
  HWND list_;
};

// An edit control or a combo box's edit part.
class Win32Text : public TextControl {
 public:
  explicit Win32Text(HWND control = nullptr) : control_(control) {}
  void Attach(HWND control) { control_ = control; }
  HWND Handle() const { return control_; }

  std::string Text() const override { return WindowText(control_); }
  void SetText(const std::string& text) override;
  bool Enabled() const override { return IsWindowEnabled(control_) != FALSE; }
  void SetEnabled(bool enabled) override { EnableWindow(control_, enabled); }

 private:
  HWND control_;
};

// A WM_TIMER timer of a window.
class Win32Timer : public TimerControl {
 public:
  Win32Timer(HWND* window, UINT_PTR id) : window_(window), id_(id) {}
  int Interval() const override { return interval_; }
  void SetInterval(int milliseconds) override;
  UINT_PTR Id() const { return id_; }

 private:
  HWND* window_;  // the window's handle, which exists once the window is created
  UINT_PTR id_;
  int interval_ = 0;
};

// A popup menu opened by the program: the chosen item's handler runs before PopupAt returns.
class Win32PopupMenu : public MenuControl {
 public:
  struct Item {
    const char* caption;
    std::function<void()> chosen;
  };
  // The window that owns the menu while it is open.
  void Create(HWND owner, std::vector<Item> items);
  void PopupAt(int x, int y) override;

 private:
  HWND owner_ = nullptr;
  UniqueMenu menu_;
  std::vector<Item> items_;
};

}  // namespace qv
