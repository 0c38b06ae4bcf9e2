#include "state/preference_keeper.h"

#include "base/app_error.h"
#include "library/paste_delay.h"

namespace qv {

void PreferenceKeeper::Load() {
  values = file_.Load();
  const PasteSuffixMode mode = SuffixModeOf(values.ParamFlags);
  buttons_.crlf.SetDown(mode == PasteSuffixMode::CrLf);
  buttons_.crlfLf.SetDown(mode == PasteSuffixMode::CrLfLf);
}

PreferenceKeeper::TakeInOutcome PreferenceKeeper::TakeIn(std::string_view fileBytes) {
  const std::optional<Preferences> known = file_.Known();
  if (!known) return TakeInOutcome::NoChange;  // never read: a save leaves it alone
  if (file_.HoldsKnownBytes(fileBytes)) return TakeInOutcome::NoChange;
  const std::optional<Preferences> parsed = file_.Parse(std::string(fileBytes));
  if (!parsed) return TakeInOutcome::NotWhole;
  const Preferences& onDisk = *parsed;
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
  // A bad text is now the default; the delay in effect follows it rather than keeping the
  // 0 of start-up, which would paste before the target has the focus.
  const DelayReading delay = CorrectDelayText(values.pasteDelay);
  shared_.PasteDelayMs = delay.milliseconds;
  if (!delay.error.empty()) throw AppError(delay.error);
}

PasteSuffixMode PreferenceKeeper::ButtonsChoice() const {
  return buttons_.crlf.Down()     ? PasteSuffixMode::CrLf
         : buttons_.crlfLf.Down() ? PasteSuffixMode::CrLfLf
                                  : PasteSuffixMode::None;
}

void PreferenceKeeper::RecordSuffix() {
  SetSuffixMode(values.ParamFlags, ButtonsChoice());
}

void PreferenceKeeper::ReloadTexts() {
  values = file_.Load();
  CorrectDelayText(values.pasteDelay);
  if (SuffixModeOf(values.ParamFlags) != ButtonsChoice()) RecordSuffix();
}

}  // namespace qv
