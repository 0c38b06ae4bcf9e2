#pragma once
// The list header's notice not seen yet, drawn over the banner in its place: a text that asks
// its window to draw again when it changes.
#include <functional>
#include <string>
#include <utility>

#include "desktop/controls.h"

namespace qv {

class HeaderNotice : public TextControl {
 public:
  explicit HeaderNotice(std::function<void()> changed) : changed_(std::move(changed)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override {
    if (text_ == text) return;
    text_ = text;
    changed_();
  }
  bool Enabled() const override { return true; }
  void SetEnabled(bool) override {}

 private:
  std::function<void()> changed_;
  std::string text_;
};

}  // namespace qv
