// Taking in what another copy of the program changed in the data folder: the platform
// reports the folder's changes, the program waits for quiet and merges.
#include <map>
#include <utility>

#include "app/program.h"
#include "base/app_error.h"

namespace qv {

namespace {

// Long enough for the two data files of one edit, which a sync engine writes a moment apart.
constexpr int kQuietMs = 400;
// A file not yet whole, or held, is looked at again after this long; one that stays the same
// and not whole this long is told.
constexpr int kWholeFileRetryMs = 500;
constexpr std::int64_t kStableMs = 3000;
// How often the files are looked at while the platform does not report the folder's changes.
constexpr int kLookWithoutWatchMs = 3000;

// Paragraphs of one notice.
void AddParagraph(std::string& notice, const std::string& text) {
  if (!text.empty()) notice += (notice.empty() ? "" : "\n\n") + text;
}

std::string LowerCase(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

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

// The part of a conflict copy's name after its data file's stem, which pairs a rows file's
// copy with the store file's copy of the same conflict.
std::string CopySuffix(const std::string& name) {
  return name.substr(name.find_first_of("-. _("));
}

std::string TakenInCopyText(const std::string& title, const std::vector<std::string>& paths) {
  std::string text = "A sync engine kept " + std::string(paths.size() == 1 ? "a copy" : "copies") +
                     " of the clip files that two computers changed at once. " + title +
                     " took in what only the copy held; it is now kept as";
  for (const std::string& path : paths) text += "\n" + path;
  return text;
}

std::string UntakenCopyText(const std::string& title, const std::string& path) {
  return "A sync engine kept a copy of a data file that two computers changed at once:\n" + path +
         "\n" + title + " does not take it in (it is the settings, or it looks damaged); " +
         "compare it with " + kRowsFileName + ", " + kStoreFileName + " and " + kPrefsFileName +
         ", carry over what you need, then delete it.";
}

std::string NotWholeText(const std::string& title, const std::string& path) {
  return path +
         " has stayed incomplete for a while (another program may have stopped "
         "writing it halfway); " +
         title + " does not take it in. Its next save keeps it beside as " + path + ".changed-N.";
}

}  // namespace

void Program::DataFolderChanged(const std::string& name) {
  if (name.empty()) {
    // Changes may have been missed: every data file is read again (one unchanged costs a
    // comparison).
  } else if (IsConflictCopyName(name)) {
    // Taken in by the copy that keeps running, not by a one-shot start on its way to a paste.
    // A name whose file is gone is forgotten: the engine may make it again.
    if (deadline_.Missing(ExeDirectory(paths_.rows) + name))
      conflictCopiesTold_.erase(name);
    else if (state.OneShotMode == 0 && conflictCopiesTold_.insert(name).second)
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
  waitForWholeFiles_ = false;
  std::string notice = TakeInDataFiles();
  AddParagraph(notice, TakeInConflictCopies());
  // A file another program is still writing, or one held: looked at again in a while; and
  // every few seconds while the platform does not report the folder's changes.
  if (waitForWholeFiles_)
    services_.quietTimer.SetInterval(kWholeFileRetryMs);
  else if (!services_.folderWatch.Working())
    LookAtDataFolderLater();
  TellNotice(notice);
  CheckHotKey();
}

void Program::LookAtDataFolderLater() {
  services_.quietTimer.SetInterval(kLookWithoutWatchMs);
}

std::string Program::TakeInConflictCopies() {
  const std::string folder = ExeDirectory(paths_.rows);
  std::map<std::string, std::pair<std::string, std::string>> pairs;  // suffix -> rows, store
  std::string notice;
  std::vector<std::string> waiting, takenIn;
  for (const std::string& name : std::exchange(conflictCopiesToTell_, {})) {
    const std::string lower = LowerCase(name);
    if (lower.starts_with("prefs")) {
      AddParagraph(notice, UntakenCopyText(title_, folder + name));
      continue;
    }
    auto& pair = pairs[CopySuffix(lower)];
    (lower.starts_with("lb1") ? pair.first : pair.second) = name;
  }
  for (const auto& [suffix, names] : pairs) {
    std::optional<std::string> rowsFile, storeFile;
    bool held = false;
    for (const auto& [name, bytes] :
         {std::pair{&names.first, &rowsFile}, {&names.second, &storeFile}}) {
      if (name->empty()) continue;
      *bytes = deadline_.ReadAll(folder + *name);
      held = held || (!*bytes && !deadline_.Missing(folder + *name));
    }
    const auto result = held ? ClipLibrary::TakeInResult{ClipLibrary::TakeInStatus::NotWhole, {}}
                             : library.TakeInCopy(rowsFile, storeFile, codePage_);
    if (result.status == ClipLibrary::TakeInStatus::NotWhole && !held &&
        ((rowsFile && LooksDamaged(*rowsFile)) || (storeFile && LooksDamaged(*storeFile)))) {
      for (const std::string* name : {&names.first, &names.second})
        if (!name->empty()) AddParagraph(notice, UntakenCopyText(title_, folder + *name));
      continue;
    }
    if (result.status == ClipLibrary::TakeInStatus::NotWhole) {
      // Still being written: its names come again with the next quiet.
      for (const std::string* name : {&names.first, &names.second})
        if (!name->empty()) waiting.push_back(*name);
      continue;
    }
    const SlotList before = library.rows;
    if (result.status == ClipLibrary::TakeInStatus::Merged) {
      ShowTakenInRows(before);
      editor.SlotsTakenIn();
      if (!result.merge.Clean())
        AddParagraph(notice, ConflictText(title_, library.rows, result.merge));
    }
    // Moved aside, so that it is taken in once; the user can still look at it.
    for (const std::string* name : {&names.first, &names.second}) {
      if (name->empty()) continue;
      const std::string aside = folder + *name + ".taken-in";
      takenIn.push_back(deadline_.MoveReplacing(folder + *name, aside) ? aside : folder + *name);
    }
  }
  if (!takenIn.empty()) AddParagraph(notice, TakenInCopyText(title_, takenIn));
  for (const std::string& name : waiting) {
    conflictCopiesTold_.insert(name);
    conflictCopiesToTell_.push_back(name);
    waitForWholeFiles_ = true;
  }
  return notice;
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
  const struct Done {
    bool& takingIn;
    ~Done() { takingIn = false; }
  } done{takingIn_};
  std::string notice;
  // One attempt each: a held file is looked at again at the next quiet, and a save spends
  // its time on the files it must write, not on reading one it need not.
  const auto read = [&](const std::string& path) {
    auto bytes = deadline_.ReadAll(path);
    if (!bytes && !deadline_.Missing(path)) waitForWholeFiles_ = true;
    return bytes;
  };
  const auto rowsFile = read(paths_.rows);
  const auto storeFile = read(paths_.store);
  const SlotList before = library.rows;
  if (rowsFile && storeFile) {
    const auto result = library.TakeIn(*rowsFile, *storeFile, codePage_);
    if (result.status == ClipLibrary::TakeInStatus::Merged) {
      ShowTakenInRows(before);
      editor.SlotsTakenIn();
      if (!result.merge.Clean())
        notice = ConflictText(title_, library.rows, result.merge) +
                 KeepBeside({{paths_.rows, *rowsFile}, {paths_.store, *storeFile}});
      dataFiles_.Accept(paths_.rows, *rowsFile);
      dataFiles_.Accept(paths_.store, *storeFile);
    } else if (result.status == ClipLibrary::TakeInStatus::NotWhole) {
      AddParagraph(notice, StillNotWhole(paths_.rows + " or " + paths_.store,
                                         *rowsFile + '\0' + *storeFile));
    } else if (result.status == ClipLibrary::TakeInStatus::Damaged) {
      for (const auto* file : {&rowsFile, &storeFile})
        if (LooksDamaged(**file))
          AddParagraph(notice,
                       StillNotWhole(file == &rowsFile ? paths_.rows : paths_.store, **file, true));
    }
  }
  if (const auto prefsFile = read(paths_.prefs)) {
    auto outcome = PreferenceKeeper::TakeInOutcome::TakenIn;
    try {
      outcome = preferences.TakeIn(*prefsFile);
    } catch (const AppError& error) {
      AddParagraph(notice, ErrorBoxText(error.what()));
    }
    if (outcome == PreferenceKeeper::TakeInOutcome::Conflict)
      AddParagraph(notice, "The settings were changed here and in another copy of " + title_ +
                               "; this computer's are in use." +
                               KeepBeside({{paths_.prefs, *prefsFile}}));
    if (outcome == PreferenceKeeper::TakeInOutcome::NotWhole)
      AddParagraph(notice, StillNotWhole(paths_.prefs, *prefsFile));
    else if (outcome != PreferenceKeeper::TakeInOutcome::NoChange)
      dataFiles_.Accept(paths_.prefs, *prefsFile);
  }
  return notice;
}

std::string Program::StillNotWhole(const std::string& path, const std::string& bytes,
                                   bool damaged) {
  // Looked at again until it has stayed the same for a while; then told once.
  auto& seen = notWhole_[path];
  const std::int64_t now = services_.desktop.clock.Milliseconds();
  if (seen.bytes != bytes) seen = {bytes, now, false};
  if (!damaged && now - seen.sinceMs < kStableMs) {
    waitForWholeFiles_ = true;
    return {};
  }
  if (std::exchange(seen.told, true)) return {};
  return (damaged
              ? DamagedFileMessage(path, std::nullopt) + "; " + title_ +
                    " does not take it in. Its next save keeps it beside as " + path + ".changed-N."
              : NotWholeText(title_, path));
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
