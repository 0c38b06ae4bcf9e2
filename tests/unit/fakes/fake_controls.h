#pragma once
// Controls that behave like the real ones: a list box refuses a selection outside its items
// and clamps its top row, a modal form refuses to be shown twice.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/app_error.h"
#include "desktop/controls.h"
#include "editor/editor_controls.h"
#include "popup/label_hint.h"

namespace qv::test {

class FakeListBox : public ListBoxControl {
 public:
  explicit FakeListBox(int visibleRows = 36) : visibleRows_(visibleRows) {}
  std::vector<std::string> items;
  bool enabled = true;
  int extent = 0;

  int Count() const override { return static_cast<int>(items.size()); }
  void SetItems(const std::vector<std::string>& newItems) override {
    items = newItems;
    selection_ = -1;
    top_ = 0;
  }
  void SetItem(int index, const std::string& text) override {
    if (index >= 0 && index < Count()) items[index] = text;
  }
  int Selection() const override { return selection_; }
  void Select(int row) override { selection_ = row >= 0 && row < Count() ? row : -1; }
  int TopRow() const override { return top_; }
  void SetTopRow(int row) override {
    top_ = std::clamp(row, 0, std::max(0, Count() - visibleRows_));
  }
  int HorizontalExtent() const override { return extent; }
  void SetHorizontalExtent(int pixels) override { extent = pixels; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }

 private:
  int visibleRows_;
  int selection_ = -1;
  int top_ = 0;
};

class FakeText : public TextControl {
 public:
  explicit FakeText(std::string text = "") : text(std::move(text)) {}
  std::string text;
  bool enabled = true;
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
};

class FakeMemo : public MemoControl {
 public:
  std::string text;
  bool enabled = false;
  bool menuAutoPopup = true;
  std::string clipboard;  // what the control's own paste inserts
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override { text = t; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
  void PasteFromClipboard() override { text += clipboard; }
  bool MenuAutoPopup() const override { return menuAutoPopup; }
  void SetMenuAutoPopup(bool on) override { menuAutoPopup = on; }
};

class FakeMenu : public MenuControl {
 public:
  std::vector<std::pair<int, int>> openedAt;
  std::function<void()> choose;  // the item the user picks, if any
  void PopupAt(int x, int y) override {
    openedAt.emplace_back(x, y);
    if (choose) choose();
  }
};

class FakeButton : public ButtonControl {
 public:
  bool down = false;
  bool enabled = true;
  bool Down() const override { return down; }
  void SetDown(bool d) override { down = d; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool e) override { enabled = e; }
};

class FakeTimer : public TimerControl {
 public:
  int interval = 0;
  int Interval() const override { return interval; }
  void SetInterval(int ms) override { interval = ms; }
};

class FakeLabel : public LabelControl {
 public:
  bool underlined = false;
  bool Underlined() const override { return underlined; }
  void SetUnderlined(bool u) override { underlined = u; }
};

class FakeFocus : public FocusControl {
 public:
  bool focused = false;
  void Focus() override { focused = true; }
};

// The keyboard's place among the editor's fields, and which field has all its text selected.
class FakeEditorFocus : public EditorFocus {
 public:
  EditorField focused = EditorField::Button;
  std::optional<EditorField> allSelected;
  void Focus(EditorField field) override { focused = field, allSelected.reset(); }
  void SelectAll(EditorField field) override { allSelected = field; }
};

class FakeHintDisplay : public HintWindowDisplay {
 public:
  bool visible = false;
  std::string shown;
  void ShowAtPointer(const std::string& text) override {
    shown = text;
    visible = !text.empty();
  }
  void Hide() override { visible = false; }
  bool Visible() const override { return visible; }
};

class FakeForm : public ModalFormControl {
 public:
  std::vector<std::string>* log = nullptr;  // shared with the desktop's log when set
  WindowRect rect;
  bool visible = false;
  bool stayOnTop = false;
  int dpi = 96;
  int modalShows = 0;
  bool modal = false;
  // Runs inside ShowModal, as the messages the modal loop dispatches would.
  std::function<void()> whileModal;

  explicit FakeForm(WindowRect r = {}) : rect(r) {}
  bool Visible() const override { return visible; }
  void Show() override { Note("show"), visible = true; }
  void Hide() override { Note("hide"), visible = false; }
  WindowRect Bounds() const override { return rect; }
  void SetLeft(int left) override { rect.left = left; }
  void SetTop(int top) override { rect.top = top; }
  void SetWidth(int width) override { rect.width = width; }
  bool StayOnTop() const override { return stayOnTop; }
  void SetStayOnTop(bool onTop) override { stayOnTop = onTop; }
  int Dpi() const override { return dpi; }
  void ShowModal() override {
    if (visible) throw AppError("Cannot make a visible window modal");
    visible = modal = true;
    ++modalShows;
    if (whileModal) whileModal();
  }
  void CloseModal() override {
    if (modal) visible = modal = false;
  }

 private:
  void Note(const char* what) {
    if (log) log->push_back(what);
  }
};

}  // namespace qv::test
