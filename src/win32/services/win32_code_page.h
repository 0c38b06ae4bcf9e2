#pragma once
// The code page of data files without a byte order mark: the ANSI code page, or, when the
// system code page is UTF-8, the legacy code page of the user's locale.
#include "library/code_page.h"

namespace qv {

class Win32CodePage : public CodePage {
 public:
  Win32CodePage();
  std::string Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::string_view text) const override;
  bool Utf8ByDefault() const override { return utf8System_; }

 private:
  unsigned legacy_;
  bool utf8System_;
};

}  // namespace qv
