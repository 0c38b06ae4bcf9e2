#pragma once
// Slots with known tags, stores built from their contents, and the text of a thrown AppError.
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "base/app_error.h"
#include "fakes/fake_code_page.h"
#include "fakes/fake_file_system.h"
#include "library/slot_library.h"

namespace qv::test {

inline std::string Identity(int slot) {
  char id[16];
  std::snprintf(id, sizeof id, "TESTSLOT%06d", slot);
  return id;
}
inline std::string Header(int slot) {
  return std::string(kHeaderPrefix) + Identity(slot);
}
inline std::string Trailer(int slot) {
  return std::string(kTrailerPrefix) + Identity(slot);
}
inline CurrentSlot SlotOf(int slot) {
  return CurrentSlot{slot, Header(slot), Trailer(slot)};
}
// A CurrentSlot as one comparable, printable value.
inline auto Fields(const CurrentSlot& s) {
  return std::tuple(s.rowIndex, s.header, s.trailer);
}

// Slot's block holding `content`; every line ends with CR LF.
inline std::string BlockOf(int slot, const std::string& content) {
  return Header(slot) + "\r\n" + (content.empty() ? "" : content + "\r\n") + Trailer(slot) + "\r\n";
}

// One block per content, slot i holding contents[i].
inline ClipStore StoreOf(const std::vector<std::string>& contents) {
  ClipStore store;
  for (int i = 0; i < static_cast<int>(contents.size()); ++i) store += BlockOf(i, contents[i]);
  return store;
}

inline SlotList RowsOf(int count) {
  SlotList rows;
  for (int i = 0; i < count; ++i)
    rows.push_back(ComposeSlotRow("Slot " + std::to_string(i), Header(i)));
  return rows;
}

// A literal's bytes, NULs included.
template <std::size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// Index in the file log of the first change to `path` (its temp and backup files included),
// or -1.
inline int FirstChange(const FakeFileSystem& fs, const std::string& path) {
  for (int i = 0; i < static_cast<int>(fs.log.size()); ++i)
    if (fs.log[i].rfind("read ", 0) != 0 && fs.log[i].find(path) != std::string::npos) return i;
  return -1;
}

// The message of the AppError `action` throws, "" when it throws none.
template <typename Action>
std::string ErrorOf(Action&& action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.what();
  }
  return "";
}

}  // namespace qv::test
