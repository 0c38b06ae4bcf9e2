#pragma once
// The 8-bit code page that data files without a byte order mark are written in, as the
// platform knows it: on Windows the ANSI code page (the user's legacy one when the system
// code page is UTF-8); on Linux the one configured for old files.
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // The bytes as UTF-8 text.
  virtual std::string Decode(std::string_view bytes) const = 0;
  // The UTF-8 text in the code page; nothing when it holds a character the code page lacks.
  virtual std::optional<std::string> Encode(std::string_view text) const = 0;
  // True where text is UTF-8 by default (Windows' "Use Unicode UTF-8" option, Linux): a file
  // without a mark whose bytes are valid UTF-8 is then UTF-8 and stays so.
  virtual bool Utf8ByDefault() const = 0;
  // Told once, when a file is first read in the code page, where the user may not expect
  // that code page; empty where the code page is the expected one.
  virtual std::string ReadInNotice() const { return {}; }
};

}  // namespace qv
