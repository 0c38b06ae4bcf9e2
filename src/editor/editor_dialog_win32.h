#pragma once
// The "Add / Modify Clip" dialog window: title and content fields, "Clear", "Update Clip"
// and "Close".
#include <windows.h>

#include <utility>

#include "desktop/controls_win32.h"
#include "desktop/error_box_win32.h"
#include "desktop/flat_buttons_win32.h"
#include "desktop/gdi_win32.h"
#include "desktop/window_class_win32.h"
#include "editor/editor_controller.h"
#include "editor/editor_controls.h"

namespace qv {

class EditorDialog : public Win32Form {
 public:
  EditorDialog() = default;
  ~EditorDialog() override;
  EditorDialog(const EditorDialog&) = delete;
  EditorDialog& operator=(const EditorDialog&) = delete;

  void Create(HWND applicationWindow);
  void Attach(EditorController& controller) { controller_ = &controller; }
  EditorView View() { return EditorView{*this, title_, content_, updateClip_}; }

  template <typename Handler>
  void Run(Handler&& handler) {
    RunHandler(window_, std::forward<Handler>(handler));
  }

 private:
  // The content field: a rich edit without word wrap, with "Paste from Clipboard" in its menu.
  // Made when it is first used: loading the rich edit library is the slowest step of a start.
  class ContentField : public MemoControl {
   public:
    explicit ContentField(EditorDialog& owner) : owner_(owner) {}
    std::string Text() const override;
    void SetText(const std::string& text) override;
    bool Enabled() const override { return IsWindowEnabled(Window()) != FALSE; }
    void SetEnabled(bool enabled) override { EnableWindow(Window(), enabled); }
    void PasteFromClipboard() override { SendMessageA(Window(), WM_PASTE, 0, 0); }
    bool MenuAutoPopup() const override { return menuAutoPopup_; }
    void SetMenuAutoPopup(bool on) override { menuAutoPopup_ = on; }
    HWND Window() const;
    HWND Handle() const { return window_; }  // null until first used

   private:
    EditorDialog& owner_;
    mutable HWND window_ = nullptr;
    bool menuAutoPopup_ = true;
  };

  // A flat button's enabled state; a disabled one is drawn grey and takes no clicks.
  class FlatButton : public ButtonControl {
   public:
    FlatButton(EditorDialog& owner, bool enabled) : owner_(owner), enabled_(enabled) {}
    bool Down() const override { return false; }
    void SetDown(bool) override {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;

   private:
    EditorDialog& owner_;
    bool enabled_;
  };

  static LRESULT CALLBACK FieldProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK ForwardToOwner<EditorDialog>(HWND, UINT, WPARAM, LPARAM);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HDC dc);
  void Click(int button);
  HWND CreateContentField();

  Win32Text title_;
  ContentField content_{*this};
  FlatButton updateClip_{*this, false};
  WNDPROC titleDefault_ = nullptr;
  WNDPROC contentDefault_ = nullptr;
  HMENU contentMenu_ = nullptr;
  HMODULE richEditLibrary_ = nullptr;
  UniqueFont font_;
  EditorController* controller_ = nullptr;
  FlatButtons buttons_{{}};  // laid out at creation
  bool contextMenuAsked_ = false;
};

}  // namespace qv
