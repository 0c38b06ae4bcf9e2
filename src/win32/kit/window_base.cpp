#include "win32/kit/window_base.h"

#include "base/app_error.h"
#include "desktop/monitor_placement.h"
#include "win32/base/message_loop.h"
#include "win32/base/screens.h"
#include "win32/base/wide_text.h"
#include "win32/kit/gdi.h"
#include "win32/kit/win32_controls.h"

namespace qv {

namespace {

// The object a window or subclassed child belongs to, in its user data.
WindowBase* OwnerOf(HWND window) {
  return reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
void SetOwner(HWND window, WindowBase* owner) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
}

// Registers the class once; later calls find it registered and do nothing.
void RegisterClassOnce(const WindowLayout& layout, WNDPROC procedure) {
  const std::wstring className = Utf8ToWide(layout.className);
  WNDCLASSW wc{};
  wc.style = layout.classStyle;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = layout.background;
  wc.lpszClassName = className.c_str();
  RegisterClassW(&wc);
}

}  // namespace

WindowBase::~WindowBase() {
  if (window_) DestroyWindow(window_);
}

void WindowBase::CreateWindowFrom(const WindowLayout& layout, HWND owner) {
  RegisterClassOnce(layout, Procedure);
  dpi_ = DpiOfWindow(nullptr);  // where a new window appears
  RECT frame{0, 0, ScaleForWindow(layout.width), ScaleForWindow(layout.height)};
  if (layout.clientSize) AdjustFrameForDpi(frame, layout.style, layout.exStyle, dpi_);
  CreateWindowExW(layout.exStyle, Utf8ToWide(layout.className).c_str(),
                  Utf8ToWide(layout.caption).c_str(), layout.style, ScaleForWindow(layout.x),
                  ScaleForWindow(layout.y), frame.right - frame.left, frame.bottom - frame.top,
                  owner, nullptr, GetModuleHandleW(nullptr), this);
}

HWND WindowBase::AddChild(const ChildLayout& layout, const WindowRect& place, HFONT font,
                          const char* text, bool placedByWindow) {
  HWND child = CreateWindowExW(
      layout.exStyle, Utf8ToWide(layout.windowClass).c_str(), Utf8ToWide(text).c_str(),
      layout.style, place.left, place.top, place.width, place.height, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  children_.push_back({child, layout, placedByWindow});
  return child;
}

HWND WindowBase::CreateChild(const ChildLayout& layout, HFONT font, const char* text) {
  const WindowRect place{layout.x, layout.y, layout.width, layout.height};
  return AddChild(layout, ScaleForDpi(place, dpi_), font, text, false);
}

HWND WindowBase::CreatePlacedChild(const ChildLayout& layout, const WindowRect& place, HFONT font) {
  return AddChild(layout, place, font, "", true);
}

void WindowBase::SetChildrenFont(HFONT font) {
  for (const Child& child : children_)
    SendMessageW(child.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

RECT WindowBase::ScaleForWindow(const RECT& rect96) const {
  const WindowRect r = ScaleForDpi(
      WindowRect{rect96.left, rect96.top, rect96.right - rect96.left, rect96.bottom - rect96.top},
      dpi_);
  return {r.left, r.top, r.left + r.width, r.top + r.height};
}

void WindowBase::Subclass(HWND child) {
  SetOwner(child, this);
  childDefaults_.emplace_back(
      child, reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                 child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChildProcedure))));
}

LRESULT WindowBase::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const PaintScope paint(window_);
      Paint(paint.Dc());
      return 0;
    }
    case WM_PRINTCLIENT:  // drawn into another's device context (an animation, a snapshot)
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      for (const Child& child : children_) {
        if (child.placedByWindow) continue;
        const ChildLayout& layout = child.layout;
        SetWindowPos(child.handle, nullptr, ScaleForWindow(layout.x), ScaleForWindow(layout.y),
                     ScaleForWindow(layout.width), ScaleForWindow(layout.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      DpiChanged();
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    }
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

LRESULT WindowBase::OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  return ChildDefault(child, message, wParam, lParam);
}

LRESULT WindowBase::ChildDefault(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  for (const auto& [window, procedure] : childDefaults_)
    if (window == child) return CallWindowProcW(procedure, child, message, wParam, lParam);
  return DefWindowProcW(child, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
  WindowBase* self = OwnerOf(window);
  if (message == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetOwner(window, self);
    self->window_ = window;
    self->dpi_ = DpiOfWindow(window);
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  self->Run([&] { result = self->OnMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetOwner(window, nullptr);
    self->window_ = nullptr;
  }
  return result;
}

LRESULT CALLBACK WindowBase::ChildProcedure(HWND child, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
  WindowBase* self = OwnerOf(child);
  LRESULT result = 0;
  self->Run([&] { result = self->OnChildMessage(child, message, wParam, lParam); });
  return result;
}

bool Win32Form::Visible() const {
  return IsWindowVisible(window_) || GetPropW(window_, kHiddenByMinimiseProp) != nullptr;
}

void Win32Form::Show() {
  RemovePropW(window_, kHiddenByMinimiseProp);
  if (centreWhenFirstShown_ && !shownOnce_)
    PlaceOnMonitor(*this, MonitorOfWork(ScreensNow()), Centring::BothWays);
  shownOnce_ = true;
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Win32Form::Hide() {
  RemovePropW(window_, kHiddenByMinimiseProp);
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
  return (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
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
