#pragma once
// A program with the pop-up's handlers and a library of numbered slots.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fakes/program_fixture.h"
#include "library/data_files.h"
#include "library/slot_library.h"
#include "popup/popup_controller.h"

namespace qv::test {

// "/:hdr:\" and a 14-character identity.
inline std::string HeaderFor(int slot) {
  char identity[16];
  std::snprintf(identity, sizeof identity, "QvSlot%08d", slot);
  return std::string(kHeaderPrefix) + identity;
}

inline std::string TrailerFor(int slot) {
  return std::string(kTrailerPrefix) + HeaderFor(slot).substr(kHeaderPrefix.size());
}

class PopupTest : public ::testing::Test, public ProgramFixture {
 protected:
  PopupTest() { SetSlotCount(kSlotCount); }

  // Rows "Slot k" and clips "clip k"; the store holds the blocks in reverse order so
  // that a row is never found by its position in the store.
  void SetSlotCount(int count) {
    contents.clear();
    program.library.rows.clear();
    for (int k = 0; k < count; ++k) {
      contents.push_back("clip " + std::to_string(k));
      program.library.rows.push_back(ComposeSlotRow("Slot " + std::to_string(k), HeaderFor(k)));
    }
    RebuildStore();
  }

  void SetContent(int slot, const std::string& content) {
    contents.at(slot) = content;
    RebuildStore();
  }

  void RebuildStore() {
    std::string store = "lines before every block\r\n";
    for (int k = static_cast<int>(contents.size()) - 1; k >= 0; --k) {
      store += HeaderFor(k) + "\r\n";
      if (!contents[k].empty()) store += contents[k] + "\r\n";
      store += TrailerFor(k) + "\r\n";
    }
    program.library.store = store;
  }

  // Data files on the fake disk, read as at start-up, then removed, so that a later
  // save shows up as files written again.
  void LoadThenForgetFiles() {
    files.files[paths.rows] = SerializeRows(program.library.rows);
    files.files[paths.store] = SerializeStore(program.library.store);
    program.library.Load(files, paths);
    files.files.clear();
  }

  // The window as the hot key has just shown it.
  void ShowByHotKey() {
    popup.HotKey1HotKey();
    desktop.log.clear();
  }

  std::vector<std::string> contents;
  PopupController popup{program};
};

}  // namespace qv::test
