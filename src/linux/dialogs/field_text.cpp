#include "linux/dialogs/field_text.h"

#include "base/utf8_text.h"

namespace qv::x11 {

std::string ToFieldText(std::string_view text, bool lines) {
  if (!lines) return DisplayableUtf8(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\r') {
      out += text[at];
      continue;
    }
    out += '\n';
    if (at + 1 < text.size() && text[at + 1] == '\n') ++at;
  }
  return DisplayableUtf8(out);
}

std::string FromFieldLines(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace qv::x11
