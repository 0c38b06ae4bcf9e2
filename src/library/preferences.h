#pragma once
// The three preferences (hot key text, paste delay, ParamFlags) moved between the
// preferences file, the settings dialog's boxes and the running program.
#include <cstdint>
#include <string>
#include <string_view>

#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/file_system.h"
#include "popup/popup_controls.h"
#include "settings/settings_controls.h"

namespace qv {

// Everything InitializeParameters reads or writes.
struct PreferenceTargets {
  FileSystem& files;
  std::string prefsPath;
  SettingsControls& boxes;  // ComboBox1, ComboBox2
  PopupControls& popup;     // the two suffix toggle buttons
  GlobalHotKey& hotKey;
  const KeyboardLayout& layout;
  std::int32_t& pasteDelayMs;
  std::string& paramFlags;
};

// "PgmStart" (file -> boxes, ParamFlags, buttons), "PgmUpdate" (boxes -> hot key, delay;
// buttons -> ParamFlags), "ParmUpdate" (boxes, ParamFlags -> file). Any other mode: nothing.
void InitializeParameters(std::string_view mode, PreferenceTargets& targets);

// A 32-bit integer: optional leading blanks, optional sign, decimal digits, or hex digits
// after "$" or "0x". Throws AppError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// The delay box's text as an integer. A text that is no integer is replaced in the box by
// `delayInEffect` before the error is thrown, so it is reported once and a later save writes
// a good value.
std::int32_t AcceptDelayText(SettingsControls& boxes, std::int32_t delayInEffect);

}  // namespace qv
