#pragma once
// The controls of a dialog that the plugin makes only when the dialog first opens. Until
// then each keeps what the handlers set, as the hidden control would, and hands it over
// when the real one is attached; from then on every call goes to the real control.
#include <functional>
#include <string>

#include "base/app_error.h"
#include "desktop/controls.h"
#include "editor/editor_controls.h"

namespace qv::x11 {

class HeldText : public TextControl {
 public:
  explicit HeldText(bool enabled = true) : enabled_(enabled) {}
  std::string Text() const override { return real_ ? real_->Text() : text_; }
  void SetText(const std::string& text) override {
    real_ ? real_->SetText(text) : void(text_ = text);
  }
  bool Enabled() const override { return real_ ? real_->Enabled() : enabled_; }
  void SetEnabled(bool on) override { real_ ? real_->SetEnabled(on) : void(enabled_ = on); }
  void Attach(TextControl& real) {
    real.SetText(text_);
    real.SetEnabled(enabled_);
    real_ = &real;
  }

 private:
  TextControl* real_ = nullptr;
  std::string text_;
  bool enabled_;
};

class HeldMemo : public MemoControl {
 public:
  explicit HeldMemo(bool enabled) : text_(enabled) {}
  std::string Text() const override { return text_.Text(); }
  void SetText(const std::string& text) override { text_.SetText(text); }
  bool Enabled() const override { return text_.Enabled(); }
  void SetEnabled(bool on) override { text_.SetEnabled(on); }
  // Only the field's own menu asks for it, so the field exists by then.
  void PasteFromClipboard() override {
    if (real_) real_->PasteFromClipboard();
  }
  bool MenuAutoPopup() const override { return real_ ? real_->MenuAutoPopup() : autoPopup_; }
  void SetMenuAutoPopup(bool on) override {
    real_ ? real_->SetMenuAutoPopup(on) : void(autoPopup_ = on);
  }
  void Attach(MemoControl& real) {
    text_.Attach(real);
    real.SetMenuAutoPopup(autoPopup_);
    real_ = &real;
  }

 private:
  HeldText text_;
  MemoControl* real_ = nullptr;
  bool autoPopup_ = true;
};

class HeldButton : public ButtonControl {
 public:
  explicit HeldButton(bool enabled) : enabled_(enabled) {}
  bool Down() const override { return false; }
  void SetDown(bool) override {}
  bool Enabled() const override { return real_ ? real_->Enabled() : enabled_; }
  void SetEnabled(bool on) override { real_ ? real_->SetEnabled(on) : void(enabled_ = on); }
  void Attach(ButtonControl& real) {
    real.SetEnabled(enabled_);
    real_ = &real;
  }

 private:
  ButtonControl* real_ = nullptr;
  bool enabled_;
};

// The keyboard's place: nowhere in the fields until the dialog is made.
class HeldFocus : public EditorFocus {
 public:
  void Focus(EditorField field) override {
    if (real_) real_->Focus(field);
  }
  void SelectAll(EditorField field) override {
    if (real_) real_->SelectAll(field);
  }
  void Attach(EditorFocus& real) { real_ = &real; }

 private:
  EditorFocus* real_ = nullptr;
};

class HeldLabel : public LabelControl {
 public:
  bool Underlined() const override { return real_ ? real_->Underlined() : underlined_; }
  void SetUnderlined(bool on) override {
    real_ ? real_->SetUnderlined(on) : void(underlined_ = on);
  }
  void Attach(LabelControl& real) {
    real.SetUnderlined(underlined_);
    real_ = &real;
  }

 private:
  LabelControl* real_ = nullptr;
  bool underlined_ = false;
};

// The dialog's window: hidden until made; Show makes it (through `make`, which attaches
// the real form and may throw when the plugin cannot load). Shown modally through `runUntil`,
// the program's own event loop run until the dialog closes.
class HeldForm : public ModalFormControl {
 public:
  HeldForm(WindowRect designed, std::function<void()> make,
           std::function<void(const std::function<bool()>&)> runUntil)
      : rect_(designed), make_(std::move(make)), runUntil_(std::move(runUntil)) {}

  bool Visible() const override { return real_ && real_->Visible(); }
  void Show() override {
    if (!real_) make_();
    real_->Show();
  }
  void Hide() override {
    if (real_) real_->Hide();
  }
  WindowRect Bounds() const override { return real_ ? real_->Bounds() : rect_; }
  void SetLeft(int left) override {
    if (real_) return real_->SetLeft(left);
    rect_.left = left;
    movedLeft_ = true;
  }
  void SetTop(int top) override {
    if (real_) return real_->SetTop(top);
    rect_.top = top;
    movedTop_ = true;
  }
  void SetWidth(int width) override { real_ ? real_->SetWidth(width) : void(rect_.width = width); }
  bool StayOnTop() const override { return real_ ? real_->StayOnTop() : onTop_; }
  void SetStayOnTop(bool on) override { real_ ? real_->SetStayOnTop(on) : void(onTop_ = on); }
  int Dpi() const override { return real_ ? real_->Dpi() : 96; }

  void ShowModal() override {
    if (Visible()) throw AppError("Cannot make a visible window modal");
    Show();
    modal_ = true;
    runUntil_([this] { return !modal_ || !Visible(); });
    modal_ = false;
    Hide();
  }
  void CloseModal() override { modal_ = false; }

  bool Made() const { return real_ != nullptr; }
  // The real form starts at its designed place; one moved before it existed goes there.
  void Attach(FormControl& real) {
    if (movedLeft_) real.SetLeft(rect_.left);
    if (movedTop_) real.SetTop(rect_.top);
    real.SetStayOnTop(onTop_);
    real_ = &real;
  }

 private:
  FormControl* real_ = nullptr;
  WindowRect rect_;
  bool onTop_ = false;
  bool movedLeft_ = false, movedTop_ = false;
  bool modal_ = false;
  std::function<void()> make_;
  std::function<void(const std::function<bool()>&)> runUntil_;
};

}  // namespace qv::x11
