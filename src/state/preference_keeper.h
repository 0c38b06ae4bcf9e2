#pragma once
// The preferences in the running program: their values, the file they are loaded from and
// saved to, what applying them sets (the hot key, the paste delay), and the paste suffix the
// list's two buttons show, which is what ParamFlags records.
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
  PreferenceKeeper(FileSystem& files, std::string path, const CodePage& codePage,
                   SuffixButtons buttons, GlobalHotKey& hotKey, const KeyboardLayout& layout,
                   SharedState& shared)
      : file_(files, std::move(path), codePage),
        buttons_(buttons),
        hotKey_(hotKey),
        layout_(layout),
        shared_(shared) {}

  // Start-up: file -> values, and the suffix buttons show ParamFlags' choice. Nothing is
  // applied.
  void Load();
  // The hot key and paste delay texts -> the hot key (registered again only when it changed
  // or did not work) and the delay in effect. A delay text that is no integer is corrected
  // to the default, which then applies, and reported.
  void Apply();
  // A suffix button was clicked: ParamFlags records the choice the buttons now show.
  void RecordSuffix();
  // The settings dialog's Cancel: the hot key and delay texts from the file again (a delay
  // that is no integer silently the default, as it was told at start-up), ParamFlags' other
  // characters too; the suffix choice stays what the list shows.
  void ReloadTexts();
  // Values -> file; a file that exists but was not read by the last load is left alone.
  void Save() { file_.Save(values); }
  // prefs.qvl as another program left it: what changed there since the last load or save
  // is merged into the values, which apply at once (the suffix buttons too). Conflict: both
  // sides changed one preference, and this machine's text is kept. NotWhole: another
  // program is still writing the file; nothing is taken in.
  enum class TakeInOutcome { NoChange, TakenIn, Conflict, NotWhole };
  TakeInOutcome TakeIn(std::string_view fileBytes);
  // Throws AppError "Cannot create file <path>" when Save would leave the file alone.
  void CheckWritable() { file_.CheckWritable(); }

  // The preference texts, held here only: the settings dialog shows and edits them.
  Preferences values;

 private:
  PasteSuffixMode ButtonsChoice() const;

  PreferencesFile file_;
  SuffixButtons buttons_;
  GlobalHotKey& hotKey_;
  const KeyboardLayout& layout_;
  SharedState& shared_;
};

}  // namespace qv
