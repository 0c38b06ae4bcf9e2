// Taking in what another copy of the program changed in the data folder: the platform
// reports the folder's changes, the program waits for quiet and merges.
#include <utility>

#include "app/program.h"
#include "base/app_error.h"

namespace qv {

namespace {

// Long enough for the two data files of one edit, which a sync engine writes a moment apart.
constexpr int kQuietMs = 400;

std::string SlotName(const SlotList& rows, int row) {
  const std::string title = ReadSlotTitle(rows[static_cast<std::size_t>(row)]);
  return "Slot " + std::to_string(row + 1) + (title.empty() ? "" : " \"" + title + "\"");
}

std::string ConflictText(const std::string& title, const SlotList& rows,
                         const LibraryMerge& merge) {
  std::string what;
  for (std::size_t i = 0; i < merge.conflicts.size(); ++i)
    what += (i == 0                            ? ""
             : i + 1 == merge.conflicts.size() ? " and "
                                               : ", ") +
            SlotName(rows, merge.conflicts[i]);
  if (merge.conflictOutsideSlots) what += what.empty() ? "The clip files" : " and the clip files";
  return what + " changed both here and in another copy of " + title +
         " that shares these files (on another computer). This computer's version stays in "
         "use.";
}

std::string ConflictCopyText(const std::string& title, const std::string& path) {
  return "A sync engine kept a copy of a data file that two computers changed at once:\n" + path +
         "\n" + title + " reads only " + kRowsFileName + ", " + kStoreFileName + " and " +
         kPrefsFileName + "; compare the copy with them, carry over what you need, then delete it.";
}

}  // namespace

void Program::DataFolderChanged(const std::string& name) {
  if (IsConflictCopyName(name)) {
    // Told by the copy that keeps running, not by a one-shot start on its way to a paste.
    if (state.OneShotMode == 0 && conflictCopiesTold_.insert(name).second)
      conflictCopiesToTell_.push_back(name);
  } else if (!IsDataFileName(name)) {
    return;  // backups, kept versions, temporary files
  }
  services_.quietTimer.SetInterval(0);  // waits for the burst's end
  services_.quietTimer.SetInterval(kQuietMs);
}

void Program::DataFolderQuiet() {
  // A message of the last one is open, or a save waits for a busy file: the timer comes
  // again.
  if (takingIn_ || saving_) return;
  services_.quietTimer.SetInterval(0);
  std::string notice = TakeInDataFiles();
  for (const std::string& name : std::exchange(conflictCopiesToTell_, {}))
    notice +=
        (notice.empty() ? "" : "\n\n") + ConflictCopyText(title_, ExeDirectory(paths_.rows) + name);
  TellNotice(notice);
  CheckHotKey();
}

void Program::KeepOtherVersionOf(int row) {
  std::vector<std::pair<std::string, std::string>> onDisk;
  for (const std::string* path : {&paths_.rows, &paths_.store})
    if (auto bytes = dataFiles_.ReadAll(*path)) onDisk.emplace_back(*path, std::move(*bytes));
  TellNotice(SlotName(library.rows, row) + " was changed in another copy of " + title_ +
             " while you edited it. Your version is in use." + KeepBeside(onDisk));
}

std::string Program::KeepBeside(const std::vector<std::pair<std::string, std::string>>& versions) {
  std::string text;
  for (const auto& [path, bytes] : versions) {
    const auto keptAs = dataFiles_.KeepBeside(path, bytes);
    text += keptAs ? "\n" + *keptAs + " holds the other version."
                   : "\nThe other version of " + path + " could not be kept.";
  }
  return text;
}

void Program::TellNotice(const std::string& text) {
  if (!text.empty()) messages_.ShowMessage(MessageKind::Warning, text, MessageButtons::Ok);
}

std::string Program::TakeInDataFiles() {
  if (takingIn_ || saving_) return {};  // never between the files of one save
  takingIn_ = true;
  std::string notice;
  const auto rowsFile = dataFiles_.ReadAll(paths_.rows);
  const auto storeFile = dataFiles_.ReadAll(paths_.store);
  const SlotList before = library.rows;
  if (rowsFile && storeFile) {
    if (const auto merge = library.TakeIn(*rowsFile, *storeFile, codePage_)) {
      ShowTakenInRows(before);
      editor.SlotsTakenIn();
      if (!merge->Clean())
        notice = ConflictText(title_, library.rows, *merge) +
                 KeepBeside({{paths_.rows, *rowsFile}, {paths_.store, *storeFile}});
      dataFiles_.Accept(paths_.rows, *rowsFile);
      dataFiles_.Accept(paths_.store, *storeFile);
    }
  }
  if (const auto prefsFile = dataFiles_.ReadAll(paths_.prefs)) {
    auto outcome = PreferenceKeeper::TakeInOutcome::TakenIn;
    try {
      outcome = preferences.TakeIn(*prefsFile);
    } catch (const AppError& error) {
      notice += (notice.empty() ? "" : "\n\n") + ErrorBoxText(error.what());
    }
    if (outcome == PreferenceKeeper::TakeInOutcome::Conflict)
      notice += (notice.empty() ? "" : "\n\n") +
                std::string("The settings were changed here and in another copy of ") + title_ +
                "; this computer's are in use." + KeepBeside({{paths_.prefs, *prefsFile}});
    if (outcome != PreferenceKeeper::TakeInOutcome::NoChange)
      dataFiles_.Accept(paths_.prefs, *prefsFile);
  }
  takingIn_ = false;
  return notice;
}

void Program::ShowTakenInRows(const SlotList& before) {
  ListBoxControl& list = list_.slotList;
  if (before.size() != library.rows.size() || list.Count() != static_cast<int>(before.size())) {
    const int top = list.TopRow(), selection = list.Selection();
    list.SetItems(ListTexts(library.rows));
    list.SetTopRow(top);
    list.Select(selection);
    return;
  }
  for (std::size_t i = 0; i < before.size(); ++i)
    if (before[i] != library.rows[i]) list.SetItem(static_cast<int>(i), ListText(library.rows[i]));
}

}  // namespace qv
