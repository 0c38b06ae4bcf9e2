#pragma once
// The title field's limit: it takes at most 27 characters as the user counts them, and what
// is typed into a full field is refused, not cut from its end.
#include <cstddef>
#include <string_view>

namespace qv {

// The part of `typed` a field holding `kept` (its text without the selection typed over)
// takes when it holds `limit` characters at most: as many whole characters as fit.
std::string_view TypedPartThatFits(std::string_view kept, std::string_view typed,
                                   std::size_t limit);

}  // namespace qv
