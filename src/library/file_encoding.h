#pragma once
// How a data file's bytes hold its text, remembered from reading it so that writing gives
// the same bytes back: a file the program only ever puts code-page text into stays the
// 8-bit file it always was; one that must hold a character its code page lacks becomes
// UTF-8 with a byte order mark, which every current editor reads. UTF-8 without a mark (what
// Notepad saves today) and UTF-16 with a mark stay what they are.
#include <optional>
#include <string>
#include <string_view>

#include "library/code_page.h"

namespace qv {

enum class FileEncoding {
  CodePage,      // 8-bit, in the platform's code page; also a file not read yet
  Utf8,          // UTF-8 without a mark
  Utf8WithMark,  // starts with EF BB BF
  Utf16Le,       // starts with FF FE
  Utf16Be,       // starts with FE FF
};

// Bytes that start with a UTF-16 byte order mark: NUL bytes there are text, not damage.
bool IsUtf16File(std::string_view bytes);

class FileText {
 public:
  // The file's bytes as UTF-8 text; remembers their encoding. Bytes that are valid UTF-8
  // and not plain ASCII are UTF-8: a code-page text is almost never valid UTF-8.
  std::string Decode(std::string bytes, const CodePage& codePage);
  // The text as bytes in the remembered encoding, or in UTF-8 with a mark (from now on) when
  // the code page cannot hold it: `text` itself when its bytes are the file's, else `scratch`
  // filled with them.
  std::string_view Encode(std::string_view text, const CodePage& codePage, std::string& scratch);
  FileEncoding Encoding() const { return encoding_; }

 private:
  FileEncoding encoding_ = FileEncoding::CodePage;
  // A file whose bytes its code page does not read back (a double-byte character torn in
  // two): its bytes and the text they were read as, so that it is written byte for byte
  // until its text is changed.
  struct Unreadable {
    std::string bytes, text;
  };
  std::optional<Unreadable> unreadable_;
};

}  // namespace qv
