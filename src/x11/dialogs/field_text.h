#pragma once
// Text between the core and GTK's fields: the core keeps CR LF between lines and any bytes,
// GTK keeps LF and UTF-8.
#include <string>
#include <string_view>

namespace qv::x11 {

// For a GTK field: CR LF, a lone CR and a lone LF each become LF when `lines` (a multi-line
// field, as the rich edit reads them as line breaks); bytes that are no UTF-8 are read as
// Windows-1252, the code page the data files were written in.
std::string ToFieldText(std::string_view text, bool lines);
// From a GTK multi-line field: LF becomes CR LF.
std::string FromFieldLines(std::string_view text);

}  // namespace qv::x11
