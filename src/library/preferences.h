#pragma once
// The three preferences (hot key text, paste delay, ParamFlags) moved between the
// preferences file, the settings dialog's boxes and the running program.
#include <cstdint>
#include <string>
#include <string_view>

#include "desktop/controls.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/file_system.h"
#include "library/program_state.h"

namespace qv {

// The controls that hold the preferences while the program runs.
struct PreferenceControls {
  TextControl& hotKeyBox;  // ComboBox1
  TextControl& delayBox;   // ComboBox2
  ButtonControl& crlf;     // "+cR" (SpeedButton2): suffix CR LF
  ButtonControl& crlfLf;   // "+CR" (SpeedButton3): suffix CR LF LF
};

class Preferences {
 public:
  Preferences(FileSystem& files, std::string path, PreferenceControls controls,
              GlobalHotKey& hotKey, const KeyboardLayout& layout, ProgramState& state)
      : files_(files),
        path_(std::move(path)),
        controls_(controls),
        hotKey_(hotKey),
        layout_(layout),
        state_(state) {}

  // "PgmStart" (file -> boxes, ParamFlags, buttons), "PgmUpdate" (boxes -> hot key, delay;
  // buttons -> ParamFlags), "ParmUpdate" (boxes, ParamFlags -> file; a file that exists
  // but was not read by the last "PgmStart" is left as it is). Any other mode: nothing.
  void InitializeParameters(std::string_view mode);
  // A save of a file that exists but that the last load could not read is skipped; the
  // settings dialog's "OK" must not seem to have saved it: throws AppError "Cannot create
  // file <path>" then.
  void CheckWritable();

 private:
  void Load();
  void Apply();
  void Save();

  FileSystem& files_;
  std::string path_;
  PreferenceControls controls_;
  GlobalHotKey& hotKey_;
  const KeyboardLayout& layout_;
  ProgramState& state_;
  bool fileRead_ = false;  // the last "PgmStart" read the file
};

// A 32-bit integer: optional leading blanks, optional sign, decimal digits, or hex digits
// after "$" or "0x". Throws AppError "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);

// The paste delay the program ships with, and the one a delay text that is no integer
// is corrected to.
inline constexpr std::int32_t kDefaultPasteDelayMs = 100;

// The delay box's text as an integer. A text that is no integer is replaced in the box by
// the default delay before the error is thrown, so it is reported once and a later save
// writes a good value.
std::int32_t AcceptDelayText(TextControl& delayBox);

}  // namespace qv
