#pragma once
// The program's text is UTF-8; Windows' is UTF-16. Every call into Windows converts here.
#include <string>
#include <string_view>

namespace qv {

// A byte that is no UTF-8 becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);

}  // namespace qv
