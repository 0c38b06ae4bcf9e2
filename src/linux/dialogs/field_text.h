#pragma once
// Text between the core and GTK's fields: the core keeps CR LF between lines, GTK keeps LF
// and takes nothing but well-formed UTF-8 without NUL.
#include <string>
#include <string_view>

namespace qv::x11 {

// For a GTK field: CR LF, a lone CR and a lone LF each become LF when `lines` (a multi-line
// field, as the rich edit reads them as line breaks); what is no UTF-8 shows as U+FFFD.
std::string ToFieldText(std::string_view text, bool lines);
// From a GTK multi-line field: LF becomes CR LF.
std::string FromFieldLines(std::string_view text);

}  // namespace qv::x11
