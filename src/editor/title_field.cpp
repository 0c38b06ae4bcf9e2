#include "editor/title_field.h"

#include <string>

#include "base/utf8_text.h"

namespace qv {

std::string_view TypedPartThatFits(std::string_view kept, std::string_view typed,
                                   std::size_t limit) {
  // Counted together: a mark typed after a letter joins it and takes no room.
  const std::size_t before = CharacterCount(kept);
  std::string joined(kept);
  joined += typed;
  if (CharacterCount(joined) <= limit) return typed;
  const std::size_t room = before < limit ? limit - before : 0;
  return typed.substr(0, CharacterPrefix(typed, room));
}

}  // namespace qv
