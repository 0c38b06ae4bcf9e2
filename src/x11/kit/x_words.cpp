#include "x11/kit/x_words.h"

#include <utility>

#include "desktop/paste_delivery.h"

namespace qv {

namespace {

const std::pair<const char*, const char*> kWindowsWords[] = {
    {kKeysBlockedMessage,
     "Nothing was pasted:\nthe X server did not let Quorvanel type Ctrl+V (no XTEST).\nThe clip "
     "is on the clipboard; press Ctrl+V to paste it."},
    {"another program (or Windows) has taken it",
     "another program (or the window manager) has "
     "taken it"},
    {".exe with its data files", " with its data files"},
};

}  // namespace

std::string InXWords(std::string text) {
  for (const auto& [windows, x] : kWindowsWords) {
    const std::string from = windows, to = x;
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace qv
