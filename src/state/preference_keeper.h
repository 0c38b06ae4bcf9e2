#pragma once
// The preferences in the running program: their values, the file they are loaded from and
// saved to, and what applying them sets (the hot key, the paste delay, ParamFlags from the
// paste suffix buttons).
#include "desktop/controls.h"
#include "desktop/global_hot_key.h"
#include "desktop/shortcut.h"
#include "library/preferences.h"
#include "state/shared_state.h"

namespace qv {

// The pop-up's two paste suffix toggles.
struct SuffixButtons {
  ButtonControl& crlf;    // "+cR" (SpeedButton2): suffix CR LF
  ButtonControl& crlfLf;  // "+CR" (SpeedButton3): suffix CR LF LF
};

class PreferenceKeeper {
 public:
  PreferenceKeeper(FileSystem& files, std::string path, SuffixButtons buttons, GlobalHotKey& hotKey,
                   const KeyboardLayout& layout, SharedState& shared)
      : file_(files, std::move(path)),
        buttons_(buttons),
        hotKey_(hotKey),
        layout_(layout),
        shared_(shared) {}

  // File -> values, and the suffix buttons from ParamFlags ('0' leaves them as they are).
  // Nothing is applied.
  void Load();
  // Values -> hot key and paste delay; suffix buttons -> ParamFlags. A delay text that is no
  // integer is corrected to the default, which then applies, and reported.
  void Apply();
  // Values -> file; a file that exists but was not read by the last Load is left alone.
  void Save() { file_.Save(values); }
  // prefs.qvl as another program left it: what changed there since the last load or save
  // is merged into the values, which apply at once (the suffix buttons too). Conflict: both
  // sides changed one preference, and this machine's text is kept.
  enum class TakeInOutcome { NoChange, TakenIn, Conflict };
  TakeInOutcome TakeIn(std::string_view fileBytes);
  // Throws AppError "Cannot create file <path>" when Save would leave the file alone.
  void CheckWritable() { file_.CheckWritable(); }

  // The one copy of the preference texts: the settings dialog shows and edits them.
  Preferences values;

 private:
  PreferencesFile file_;
  SuffixButtons buttons_;
  GlobalHotKey& hotKey_;
  const KeyboardLayout& layout_;
  SharedState& shared_;
};

}  // namespace qv
