#pragma once
// The platform's code page, noting whether a file was read in it: the user is told once which
// code page that was, where it may not be the one expected.
#include "library/code_page.h"

namespace qv {

class NotingCodePage : public CodePage {
 public:
  explicit NotingCodePage(const CodePage& codePage) : codePage_(codePage) {}
  std::string Decode(std::string_view bytes) const override {
    read_ = true;
    return codePage_.Decode(bytes);
  }
  std::optional<std::string> Encode(std::string_view text) const override {
    return codePage_.Encode(text);
  }
  bool Utf8ByDefault() const override { return codePage_.Utf8ByDefault(); }
  std::string ReadInNotice() const override { return codePage_.ReadInNotice(); }
  // The notice, once, after a file was read in the code page; empty otherwise.
  std::string TakeNotice() {
    if (!read_ || told_) return {};
    told_ = true;
    return ReadInNotice();
  }

 private:
  const CodePage& codePage_;
  mutable bool read_ = false;
  bool told_ = false;
};

}  // namespace qv
