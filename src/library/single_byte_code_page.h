#pragma once
// A Windows single-byte code page read from its table, on any platform: Linux reads the
// Windows program's old files in the code page of the user's language.
#include "library/code_page.h"
#include "library/code_page_tables.h"
#include "library/legacy_code_page.h"

namespace qv {

class SingleByteCodePage : public CodePage {
 public:
  // `choice.used` has a table; `utf8ByDefault` where text is UTF-8 unless marked otherwise.
  SingleByteCodePage(CodePageChoice choice, bool utf8ByDefault);
  std::string Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::string_view text) const override;
  bool Utf8ByDefault() const override { return utf8ByDefault_; }
  // Told where the language's code page cannot be read here.
  std::string ReadInNotice() const override;

 private:
  CodePageChoice choice_;
  const HighHalf& high_;
  bool utf8ByDefault_;
};

}  // namespace qv
