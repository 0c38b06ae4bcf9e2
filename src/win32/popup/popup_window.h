#pragma once
// The main window: the pop-up list with its header, slot list and key label column.
#include <windows.h>

#include <array>

#include "popup/label_hint.h"
#include "popup/popup_controller.h"
#include "popup/popup_controls.h"
#include "popup/popup_layout.h"
#include "win32/kit/gdi.h"
#include "win32/kit/win32_controls.h"
#include "win32/kit/window_base.h"
#include "win32/popup/hint_window.h"

namespace qv {

class PopupWindow : public Win32Form, public FocusControl {
 public:
  // The controls, for the logic; they work once the window is created.
  PopupView View();
  // Creates the window hidden, owned by the application window; its messages, and every key
  // pressed in it, go to `controller` and `events`.
  void Create(HWND applicationWindow, PopupController& controller, MainWindowEvents& events);

  void Hide() override;
  void Focus() override { SetFocus(window_); }

 private:
  // "+cR" and "+CR": owner-drawn buttons, so a change repaints the button.
  class HeaderToggle : public ButtonControl {
   public:
    bool Down() const override { return down_; }
    void SetDown(bool down) override;
    bool Enabled() const override { return true; }
    void SetEnabled(bool) override {}
    void Attach(HWND button) { button_ = button; }

   private:
    HWND button_ = nullptr;
    bool down_ = false;
  };

  // A notice not seen yet, over the banner; hidden when there is none. Its whole text is
  // the control's, for a screen reader; a click shows it in the hint window.
  class HeaderNotice : public TextControl {
   public:
    std::string Text() const override { return WindowText(label_); }
    void SetText(const std::string& text) override;
    bool Enabled() const override { return true; }
    void SetEnabled(bool) override {}
    void Attach(HWND label) { label_ = label; }
    HWND Handle() const { return label_; }

   private:
    HWND label_ = nullptr;
  };

  // The user pressed a key anywhere in the window.
  void PreviewKey(unsigned virtualKey);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnChildMessage(HWND child, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  void DpiChanged() override;
  void CreateFonts();
  // The controls where the layout at the window's dpi puts them.
  void LayOut();
  std::array<WindowRect, 3> HeaderButtons() const;  // "+CR", "+cR", the close button
  void CreateHeader();
  void DrawListItem(const DRAWITEMSTRUCT& item);
  void DrawHeaderButton(const DRAWITEMSTRUCT& item);
  void HeaderButtonClick(HWND button);
  void OnMouseMove(POINT p, WPARAM keys);
  void LabelColumnMouse(UINT message);

  Win32ListBox slotList_;
  Win32ListBox labelColumn_;
  HeaderToggle crlf_;
  HeaderToggle crlfLf_;
  std::array<HWND, 3> headerButtons_{};  // "+CR", "+cR", the close button
  HWND focusBeforeClick_ = nullptr;      // a click on a header button gives the focus back
  HeaderNotice headerNotice_;
  Win32Timer timer1_{&window_, 1};
  Win32Timer timer3_{&window_, 3};
  Win32Timer sessionEndTimer_{&window_, 4};  // tells a refused session end Windows cancelled
  HintWindow hintWindow_;
  LabelHint labelHint_{hintWindow_};
  UniqueFont font_;
  UniqueFont boldFont_;
  UniqueBrush listBrush_;
  UniqueBrush labelBrush_;
  UniqueBrush panelBrush_;
  PopupLayout layout_ = PopupLayoutForDpi(kDesignDpi, 2);
  PopupController* controller_ = nullptr;  // set before the window exists
  MainWindowEvents* events_ = nullptr;
  bool trackingLeave_ = false;
};

}  // namespace qv
