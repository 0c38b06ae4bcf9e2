#pragma once
// Data files without a byte order mark that are not UTF-8 come from the Windows program in
// Western Europe's code page (1252): read as such, and new text stays UTF-8 unless that page
// holds it all.
#include "library/code_page.h"

namespace qv {

class WesternCodePage : public CodePage {
 public:
  std::string Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::string_view text) const override;
  bool Utf8ByDefault() const override { return true; }
};

}  // namespace qv
