#include "library/file_encoding.h"

#include "base/utf8_text.h"

namespace qv {

std::string FileText::Decode(std::string bytes, const CodePage& codePage) {
  unreadable_.reset();
  if (bytes.starts_with(kUtf8Mark)) {
    encoding_ = FileEncoding::Utf8WithMark;
    return bytes.erase(0, kUtf8Mark.size());
  }
  encoding_ = FileEncoding::CodePage;
  if (IsAscii(bytes)) return bytes;  // the same text in every encoding read here
  if (codePage.Utf8ByDefault() && IsValidUtf8(bytes)) {
    encoding_ = FileEncoding::Utf8;
    return bytes;
  }
  std::string text = codePage.Decode(bytes);
  if (codePage.Encode(text) != bytes) unreadable_ = Unreadable{std::move(bytes), text};
  return text;
}

std::string_view FileText::Encode(std::string_view text, const CodePage& codePage,
                                  std::string& scratch) {
  if (encoding_ == FileEncoding::Utf8) return text;
  if (encoding_ == FileEncoding::CodePage) {
    if (unreadable_ && text == unreadable_->text) return unreadable_->bytes;
    if (IsAscii(text)) return text;
    if (auto bytes = codePage.Encode(text)) return scratch = std::move(*bytes);
    encoding_ = FileEncoding::Utf8WithMark;
  }
  scratch.reserve(kUtf8Mark.size() + text.size());
  return (scratch = kUtf8Mark) += text;
}

}  // namespace qv
