#pragma once
// The code page of data files without a byte order mark: the ANSI code page, or, when the
// system code page is UTF-8 ("Use Unicode UTF-8"), the one the machine had before.
#include "library/code_page.h"

namespace qv {

class Win32CodePage : public CodePage {
 public:
  Win32CodePage();
  std::string Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::string_view text) const override;
  bool Utf8ByDefault() const override { return utf8System_; }
  // With UTF-8 on, 8-bit files are a surprise: the user is told which code page read them.
  std::string ReadInNotice() const override;

 private:
  unsigned legacy_;
  bool utf8System_;
};

}  // namespace qv
