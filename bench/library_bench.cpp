// Time of extracting and replacing a clip in a full store: 72 slots, 850 lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "library/slot_library.h"

namespace {

std::string LibraryHeader(int slot) {
  char identity[16];
  std::snprintf(identity, sizeof identity, "QvLibBench%04d", slot);
  return std::string(qv::kHeaderPrefix) + identity;
}

struct FullLibrary {
  qv::SlotList rows;
  qv::ClipStore store;
};

// 144 tag lines and 706 content lines of about 60 characters.
const FullLibrary& Full() {
  static const FullLibrary library = [] {
    FullLibrary full;
    const int contentLines = qv::kStoreLineLimit - 2 * qv::kSlotCount;
    for (int k = 0; k < qv::kSlotCount; ++k) {
      full.rows.push_back(qv::ComposeSlotRow("Slot " + std::to_string(k), LibraryHeader(k)));
      full.store += LibraryHeader(k) + "\r\n";
      const int lines = contentLines / qv::kSlotCount + (k < contentLines % qv::kSlotCount);
      for (int line = 0; line < lines; ++line)
        full.store += "Clip " + std::to_string(k) + ", line " + std::to_string(line) +
                      ": the quick brown fox jumps over the lazy dog\r\n";
      full.store += qv::TrailerTagFor(LibraryHeader(k)) + "\r\n";
    }
    return full;
  }();
  return library;
}

void BM_GatherFullClip(benchmark::State& state) {
  const auto& full = Full();
  const int row = static_cast<int>(state.range(0));
  qv::CurrentSlot current;
  for (auto _ : state) {
    auto content = qv::GatherFullClip(full.rows, row, full.store, current);
    benchmark::DoNotOptimize(content);
  }
  state.counters["store_lines"] = qv::LineCount(full.store);
}
BENCHMARK(BM_GatherFullClip)->Arg(0)->Arg(35)->Arg(71);

void BM_ReplaceClipBlock(benchmark::State& state) {
  const auto& full = Full();
  qv::ClipStore store = full.store;
  qv::CurrentSlot current;
  const auto content =
      qv::GatherFullClip(full.rows, static_cast<int>(state.range(0)), store, current);
  for (auto _ : state) {
    // The same content again: the store keeps its size from one round to the next.
    const bool replaced = qv::ReplaceClipBlock(store, current, content);
    benchmark::DoNotOptimize(replaced);
  }
  if (store != full.store) state.SkipWithError("store changed");
}
BENCHMARK(BM_ReplaceClipBlock)->Arg(0)->Arg(35)->Arg(71);

// Update Clip: the replacement made on a copy and judged by its line count.
void BM_UpdateClipBlock(benchmark::State& state) {
  const auto& full = Full();
  qv::ClipStore store = full.store;
  qv::CurrentSlot current;
  const auto content = qv::GatherFullClip(full.rows, 35, store, current);
  for (auto _ : state) benchmark::DoNotOptimize(qv::UpdateClipBlock(store, current, content));
  if (store != full.store) state.SkipWithError("store changed");
}
BENCHMARK(BM_UpdateClipBlock);

}  // namespace
