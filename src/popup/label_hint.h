#pragma once
// The key label column's hint, as the framework's hint display handles it: the hint opens
// at a pointer move over the column while its hints are on, closes when the pointer leaves
// or on a click or key, and once it has been up for its 30 s it stays closed until hints
// are switched on again (the next preview).
#include <string>

#include "desktop/controls.h"

namespace qv {

// The hint window itself.
class HintWindowDisplay {
 public:
  virtual ~HintWindowDisplay() = default;
  virtual void ShowAtPointer(const std::string& text) = 0;
  virtual void Hide() = 0;
  virtual bool Visible() const = 0;
};

class LabelHint : public HintControl {
 public:
  explicit LabelHint(HintWindowDisplay& display) : display_(display) {}

  std::string Hint() const override { return text_; }
  void SetHint(const std::string& text) override { text_ = text; }
  bool HintsEnabled() const override { return enabled_; }
  void SetHintsEnabled(bool enabled) override {
    enabled_ = enabled;
    expired_ = false;
    if (!enabled) display_.Hide();
  }

  // The pointer moved over the column.
  void PointerMoved() {
    if (enabled_ && !expired_ && !display_.Visible()) display_.ShowAtPointer(text_);
  }
  // The pointer left the column, or a click or key went to it.
  void Cancelled() { display_.Hide(); }
  // The hint has been up for its whole time.
  void TimeUp() {
    expired_ = true;
    display_.Hide();
  }

 private:
  HintWindowDisplay& display_;
  std::string text_;
  bool enabled_ = false;
  bool expired_ = false;
};

}  // namespace qv
