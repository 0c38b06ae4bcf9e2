#pragma once
// The "Add / Modify Clip" dialog window: title and content fields, "Clear", "Update Clip"
// and "Close", drawn from the dialog's layout table.
#include <windows.h>

#include <string>

#include "editor/editor_controller.h"
#include "editor/editor_controls.h"
#include "win32/base/handles.h"
#include "win32/kit/flat_buttons.h"
#include "win32/kit/gdi.h"
#include "win32/kit/win32_controls.h"
#include "win32/kit/window_base.h"

namespace qv {

class EditorDialog : public Win32Form, public EditorFocus {
 public:
  // The controls, for the logic; they work once the dialog is created.
  EditorView View() { return EditorView{*this, title_, content_, updateClip_, copyMenu_, *this}; }
  // `owner` owns the dialog, `list` the copy menu; nothing is made yet.
  EditorDialog(const WindowBase& owner, const WindowBase& list) : owner_(owner), list_(list) {}
  // Tray menu "Lock and Add Clip": the dialog (made when first shown, as nothing needs it
  // before: every other way in starts from the lock) and its copy menu on the list, their
  // messages going to `controller`; then the lock.
  void Open(EditorController& controller);

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
    void PasteFromClipboard() override;
    bool MenuAutoPopup() const override { return menuAutoPopup_; }
    void SetMenuAutoPopup(bool on) override { menuAutoPopup_ = on; }
    HWND Window() const;
    HWND Handle() const { return window_; }  // null until first used
    bool ProgramChanging() const { return programChanging_; }

   private:
    EditorDialog& owner_;
    mutable HWND window_ = nullptr;
    bool menuAutoPopup_ = true;
    bool programChanging_ = false;
  };

  // "Update Clip": enabled and disabled by the logic, also before the dialog is made.
  class UpdateButton : public ButtonControl {
   public:
    bool Down() const override { return false; }
    void SetDown(bool) override {}
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;
    void Attach(HWND button) {
      button_ = button;
      SetEnabled(enabled_);
    }

   private:
    HWND button_ = nullptr;
    bool enabled_ = false;
  };

  void Focus(EditorField field) override;
  void SelectAll(EditorField field) override;
  EditorField FieldOf(HWND control) const;

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnChildMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  void DpiChanged() override;
  void Create();
  void KeepTitleLength();
  bool TitleRefuses(wchar_t typed);
  bool KeyDown(HWND control, WPARAM key);
  void Click(int id);
  HWND CreateContentField();

  Win32Text title_;
  ContentField content_{*this};
  UpdateButton updateClip_;
  Win32PopupMenu copyMenu_;
  UniqueMenu contentMenu_;
  UniqueModule richEditLibrary_;
  UniqueFont font_;
  const WindowBase& owner_;
  const WindowBase& list_;
  EditorController* controller_ = nullptr;  // set before the dialog exists
  bool titleRefusedHighHalf_ = false;       // the low half of the pair goes too
  std::wstring titleBefore_;                // the title before its latest change
  bool contextMenuAsked_ = false;
};

}  // namespace qv
