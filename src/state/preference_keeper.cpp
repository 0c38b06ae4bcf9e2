#include "state/preference_keeper.h"

#include "base/app_error.h"

namespace qv {

void PreferenceKeeper::Load() {
  values = file_.Load();
  switch (SuffixModeOf(values.ParamFlags)) {
    case PasteSuffixMode::None:
      break;  // the buttons stay as they are
    case PasteSuffixMode::CrLf:
      buttons_.crlf.SetDown(true);
      buttons_.crlfLf.SetDown(false);
      break;
    case PasteSuffixMode::CrLfLf:
      buttons_.crlfLf.SetDown(true);
      buttons_.crlf.SetDown(false);
      break;
  }
}

PreferenceKeeper::TakeInOutcome PreferenceKeeper::TakeIn(std::string_view fileBytes) {
  const std::optional<Preferences> known = file_.Known();
  if (!known) return TakeInOutcome::NoChange;  // never read: a save leaves it alone
  const Preferences onDisk = ParsePreferences(fileBytes);
  if (onDisk == *known) return TakeInOutcome::NoChange;
  bool conflict = false;
  values = MergePreferences(*known, values, onDisk, conflict);
  file_.Know(onDisk);
  const PasteSuffixMode mode = SuffixModeOf(values.ParamFlags);
  buttons_.crlf.SetDown(mode == PasteSuffixMode::CrLf);
  buttons_.crlfLf.SetDown(mode == PasteSuffixMode::CrLfLf);
  Apply();
  return conflict ? TakeInOutcome::Conflict : TakeInOutcome::TakenIn;
}

void PreferenceKeeper::Apply() {
  hotKey_.SetKey(ParseShortcut(values.hotKey, layout_));
  try {
    shared_.PasteDelayMs = AcceptDelayText(values.pasteDelay);
  } catch (const AppError&) {
    // The text is now the default; the delay in effect follows it rather than keeping the
    // 0 of start-up, which would paste before the target has the focus.
    shared_.PasteDelayMs = kDefaultPasteDelayMs;
    throw;
  }
  SetSuffixMode(values.ParamFlags, buttons_.crlf.Down()     ? PasteSuffixMode::CrLf
                                   : buttons_.crlfLf.Down() ? PasteSuffixMode::CrLfLf
                                                            : PasteSuffixMode::None);
}

}  // namespace qv
