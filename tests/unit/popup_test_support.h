#pragma once
// A program with the pop-up's handlers and a library of numbered slots.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "fakes/program_fixture.h"
#include "library/data_files.h"
#include "popup/popup_controller.h"
#include "test_support.h"

namespace qv::test {

class PopupTest : public ::testing::Test, public ProgramFixture {
 protected:
  PopupTest() { SetSlotCount(kSlotCount); }

  // Rows "Slot k" and clips "clip k"; the store holds the blocks in reverse order so
  // that a row is never found by its position in the store.
  void SetSlotCount(int count) {
    contents.clear();
    for (int k = 0; k < count; ++k) contents.push_back("clip " + std::to_string(k));
    SetRows(RowsOf(count));
    RebuildStore();
  }

  void SetContent(int slot, const std::string& content) {
    contents.at(slot) = content;
    RebuildStore();
  }

  void RebuildStore() {
    std::string store = "lines before every block\r\n";
    for (int k = static_cast<int>(contents.size()) - 1; k >= 0; --k)
      store += BlockOf(k, contents[k]);
    program.library.store = store;
  }

  // Data files on the fake disk, read as at start-up, then removed, so that a later
  // save shows up as files written again.
  void LoadThenForgetFiles() {
    files.files[paths.rows] = SerializeRows(program.library.rows);
    files.files[paths.store] = program.library.store;
    program.library.Load(files, paths, kWestern);
    files.files.clear();
  }

  // Window visible, PopupShown, the list's top row and the label column's timer.
  std::tuple<bool, int, int, int> State() const {
    return {popupWindow.visible, popup.state.PopupShown, slotList.TopRow(), timer3.Interval()};
  }

  // The window as the hot key has just shown it.
  void ShowByHotKey() {
    popup.HotKey1HotKey();
    desktop.log.clear();
  }

  std::vector<std::string> contents;
  PopupController& popup = program.popup;
};

}  // namespace qv::test
