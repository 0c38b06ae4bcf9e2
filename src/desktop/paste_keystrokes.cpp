#include "desktop/paste_keystrokes.h"

namespace qv {

std::vector<KeyStroke> PasteKeyStrokes(const HeldModifiers& held) {
  std::vector<KeyStroke> keys;
  if (held.leftAlt || held.rightAlt || held.leftWin || held.rightWin)
    keys.insert(keys.end(), {{kVkNeutral, false}, {kVkNeutral, true}});
  const struct {
    bool held;
    KeyStroke release;
  } releases[] = {
      {held.leftShift, {kVkLeftShift, true}},   {held.rightShift, {kVkRightShift, true}},
      {held.leftAlt, {kVkLeftAlt, true}},       {held.rightAlt, {kVkRightAlt, true, true}},
      {held.leftWin, {kVkLeftWin, true, true}}, {held.rightWin, {kVkRightWin, true, true}},
  };
  for (const auto& r : releases)
    if (r.held) keys.push_back(r.release);
  keys.insert(keys.end(), {{kVkControl, false}, {kVkV, false}, {kVkV, true}, {kVkControl, true}});
  return keys;
}

}  // namespace qv
