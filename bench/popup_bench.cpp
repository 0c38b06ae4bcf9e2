// Time of the slot-key paste path: key mapping, clip extraction from a full store of 72
// slots, suffix, and the desktop calls (fakes that only record).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "fakes/program_fixture.h"
#include "library/slot_library.h"
#include "popup/popup_controller.h"

namespace {

std::string Header(int slot) {
  char identity[16];
  std::snprintf(identity, sizeof identity, "QvBench%07d", slot);
  return std::string(qv::kHeaderPrefix) + identity;
}

// 72 slots of ten lines each, the blocks stored in reverse order of their rows.
void FillLibrary(qv::test::ProgramFixture& fixture) {
  qv::Program& program = fixture.program;
  qv::SlotList rows;
  std::string store;
  for (int k = 0; k < qv::kSlotCount; ++k)
    rows.push_back(qv::ComposeSlotRow("Slot " + std::to_string(k), Header(k)));
  fixture.SetRows(rows);
  for (int k = qv::kSlotCount - 1; k >= 0; --k) {
    store += Header(k) + "\r\n";
    for (int line = 0; line < 10; ++line) store += "clip " + std::to_string(k) + " text line\r\n";
    store += qv::TrailerTagFor(Header(k)) + "\r\n";
  }
  program.library.store = store;
}

void BM_SlotKeyPaste(benchmark::State& state) {
  qv::test::ProgramFixture fixture;
  FillLibrary(fixture);
  fixture.crlf.SetDown(true);
  qv::test::FakeDesktop& desktop = fixture.desktop;
  qv::PopupController popup(fixture.popupView, fixture.program.state, fixture.program.library,
                            {desktop, desktop, desktop, desktop, desktop, desktop},
                            fixture.program.preferences, fixture.program);
  const unsigned keys[] = {'1', '0', 'A', 'M', 'Z'};
  int next = 0;
  for (auto _ : state) {
    fixture.slotList.SetTopRow((next % 2) * qv::kPageRows);  // both pages
    popup.FormKeyDown(keys[next % 5]);
    ++next;
    benchmark::DoNotOptimize(fixture.desktop.clipboard.data());
    fixture.desktop.log.clear();
  }
}
BENCHMARK(BM_SlotKeyPaste);

}  // namespace
