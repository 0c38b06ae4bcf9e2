#pragma once
// Slots with known tags, and stores built from their contents, for the library tests.
#include <cstdio>
#include <string>
#include <vector>

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

// One block per content, slot i holding contents[i]; every line ends with CR LF.
inline ClipStore StoreOf(const std::vector<std::string>& contents) {
  ClipStore store;
  for (int i = 0; i < static_cast<int>(contents.size()); ++i) {
    store += Header(i) + "\r\n";
    if (!contents[i].empty()) store += contents[i] + "\r\n";
    store += Trailer(i) + "\r\n";
  }
  return store;
}

inline SlotList RowsOf(int count) {
  SlotList rows;
  for (int i = 0; i < count; ++i)
    rows.push_back(ComposeSlotRow("Slot " + std::to_string(i), Header(i)));
  return rows;
}

}  // namespace qv::test
