#pragma once
// The one way to be a window of this program: the object is bound to its window at
// WM_NCCREATE from the creation parameter, one noexcept procedure hands every message to the
// object through Run, which reports an error in the standard error box, and painting, child
// control subclassing and sizes from the 96-dpi layout tables at the window's dpi are each
// done here once.
#include <windows.h>

#include <utility>
#include <vector>

#include "desktop/controls.h"
#include "desktop/dpi_scale.h"
#include "win32/kit/error_box.h"

namespace qv {

// A top-level window, from its layout table in 96-dpi pixels.
struct WindowLayout {
  const char* className;
  const char* caption = "";
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  bool clientSize = false;  // width and height are the client area's, not the frame's
  HBRUSH background = nullptr;
  UINT classStyle = 0;
};

// A child control, from its window's layout table in 96-dpi pixels (none for a child its
// window places itself: CreatePlacedChild).
struct ChildLayout {
  const char* windowClass;
  int id;
  int x = 0, y = 0, width = 0, height = 0;
  DWORD style;
  DWORD exStyle = 0;
};

class WindowBase {
 public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return window_; }

  // Runs one handler; an error ends it and is reported in the standard error box, owned by
  // this window when it is shown. True when the handler ran to its end.
  template <typename Handler>
  bool Run(Handler&& handler) noexcept {
    return RunHandler(window_, std::forward<Handler>(handler));
  }

 protected:
  // Makes the window, owned by `owner`; its messages reach OnMessage from WM_NCCREATE on.
  void CreateWindowFrom(const WindowLayout& layout, HWND owner);
  // Makes a child control with `font` and `text`; a new dpi moves it to its scaled place.
  HWND CreateChild(const ChildLayout& layout, HFONT font, const char* text = "");
  // Makes a child control at `place` (this window's pixels), which the window keeps up to
  // date itself, also at a new dpi (DpiChanged); the layout's coordinates are not used.
  HWND CreatePlacedChild(const ChildLayout& layout, const WindowRect& place, HFONT font);
  // From now on the child's messages reach OnChildMessage.
  void Subclass(HWND child);

  // Each message of the window; the default handling for the rest.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Each message of a subclassed child; ChildDefault for the rest.
  virtual LRESULT OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ChildDefault(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  // WM_PAINT and WM_PRINTCLIENT: fills the whole client area (the background is never
  // erased first).
  virtual void Paint(HDC) {}
  // The window has moved to a monitor of another scale, has taken the size Windows suggests
  // and its child controls their places: fonts and what else depends on the dpi.
  virtual void DpiChanged() {}
  // Gives every child control made by CreateChild this font.
  void SetChildrenFont(HFONT font);

  // A position or size from a 96-dpi layout table, in this window's pixels.
  int ScaleForWindow(int px96) const { return ScaleForDpi(px96, dpi_); }
  RECT ScaleForWindow(const RECT& rect96) const;

  HWND window_ = nullptr;
  int dpi_ = kDesignDpi;  // of the monitor the window is on

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  static LRESULT CALLBACK ChildProcedure(HWND child, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept;

  std::vector<std::pair<HWND, WNDPROC>> childDefaults_;
  struct Child {
    HWND handle;
    ChildLayout layout;
    bool placedByWindow;  // not moved by the layout table at a new dpi
  };
  HWND AddChild(const ChildLayout& layout, const WindowRect& place, HFONT font, const char* text,
                bool placedByWindow);

  std::vector<Child> children_;
};

// A top-level form owned by the application window: what the handlers may do with it, and
// its modal showing.
class Win32Form : public WindowBase, public ModalFormControl {
 public:
  bool Visible() const override;
  void Show() override;
  void Hide() override;
  WindowRect Bounds() const override;
  void SetLeft(int left) override;
  void SetTop(int top) override;
  void SetWidth(int width) override;
  bool StayOnTop() const override;
  void SetStayOnTop(bool onTop) override;
  int Dpi() const override { return dpi_; }
  // Every other shown window of the thread is disabled while the form is modal.
  void ShowModal() override;
  void CloseModal() override { closeRequested_ = true; }

 protected:
  // Placed in the middle of the monitor the user works on before it is first shown.
  void CentreWhenFirstShown() { centreWhenFirstShown_ = true; }

 private:
  bool centreWhenFirstShown_ = false;
  bool shownOnce_ = false;
  bool closeRequested_ = false;
};

}  // namespace qv
