// Time of loading and saving the data files in the core, against the least that can be done:
//   BM_ReadDataBytes   reading the bytes of the rows file and the store file (the floor)
//   BM_LoadLibrary     loading both into the library from the same files on disk
//   BM_SaveLibrary/N   saving a library whose store has N lines into files held in memory,
//                      both changed (a file that holds the bytes already is not written)
//   BM_SaveFloor/N     what those files cost by themselves: each written anew, the old one
//                      copied to its backup and replaced (two copies of every byte)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "fakes/fake_code_page.h"
#include "library/clip_library.h"
#include "library/file_system.h"
#include "library/slot_library.h"

namespace {

std::string Header(int slot) {
  char identity[16];
  std::snprintf(identity, sizeof identity, "QvFileBench%03d", slot);
  return std::string(qv::kHeaderPrefix) + identity;
}

// 72 rows, and a store of `lines` lines: 72 blocks with content lines of about 60 characters.
void MakeLibrary(int lines, std::string& rowsFile, std::string& storeFile) {
  rowsFile.clear();
  storeFile.clear();
  const int contentLines = lines - 2 * qv::kSlotCount;
  for (int k = 0; k < qv::kSlotCount; ++k) {
    rowsFile += qv::ComposeSlotRow("Slot " + std::to_string(k), Header(k)) + "\r\n";
    storeFile += Header(k) + "\r\n";
    const int count = contentLines / qv::kSlotCount + (k < contentLines % qv::kSlotCount);
    for (int line = 0; line < count; ++line)
      storeFile += "Clip " + std::to_string(k) + ", line " + std::to_string(line) +
                   ": the quick brown fox jumps over the lazy dog\r\n";
    storeFile += qv::TrailerTagFor(Header(k)) + "\r\n";
  }
}

// Reads real files; the benchmarks write nothing through it.
class DiskFileSystem : public qv::FileSystem {
 public:
  std::optional<std::string> ReadAll(const std::string& path) override {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<std::string> bytes;
    if (fstat(fd, &info) == 0) {
      std::string text(static_cast<std::size_t>(info.st_size), '\0');
      if (read(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()))
        bytes = std::move(text);
    }
    close(fd);
    return bytes;
  }
  bool Missing(const std::string&) override { return false; }
  bool WriteAndFlush(const std::string&, std::string_view) override { return false; }
  bool MoveReplacing(const std::string&, const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
  bool LastFailureWasBusy() const override { return false; }
};

// Files in memory, behaving like a disk: a write or a copy stores the bytes, a rename moves
// them, and storage once used is used again (removing a file keeps its buffer).
class MemoryFileSystem : public qv::FileSystem {
 public:
  struct File {
    std::string bytes;
    bool exists = false;
  };
  std::map<std::string, File> files;

  void Put(const std::string& path, std::string bytes) { files[path] = {std::move(bytes), true}; }
  std::optional<std::string> ReadAll(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end() || !it->second.exists) return std::nullopt;
    return it->second.bytes;
  }
  bool Missing(const std::string& path) override {
    auto it = files.find(path);
    return it == files.end() || !it->second.exists;
  }
  bool WriteAndFlush(const std::string& path, std::string_view bytes) override {
    File& file = files[path];
    file.bytes.assign(bytes);
    file.exists = true;
    return true;
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    if (Missing(from)) return false;
    File& source = files[from];
    File& target = files[to];
    target.bytes.swap(source.bytes);
    target.exists = true;
    source.exists = false;
    return true;
  }
  bool Remove(const std::string& path) override {
    if (Missing(path)) return false;
    files[path].exists = false;
    return true;
  }
  bool LastFailureWasBusy() const override { return false; }
};

// The 850-line library written once to a fresh folder on disk.
const qv::DataPaths& DiskLibrary() {
  static const qv::DataPaths paths = [] {
    char folder[] = "/tmp/qv-files-bench.XXXXXX";
    if (!mkdtemp(folder)) std::abort();
    const qv::DataPaths p = qv::DataPaths::InFolder(std::string(folder) + "/");
    std::string rows, store;
    MakeLibrary(qv::kStoreLineLimit, rows, store);
    for (const auto& [path, bytes] : {std::pair{p.rows, rows}, std::pair{p.store, store}}) {
      std::FILE* file = std::fopen(path.c_str(), "wb");
      if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
      std::fclose(file);
    }
    std::atexit([] {
      std::remove(DiskLibrary().rows.c_str());
      std::remove(DiskLibrary().store.c_str());
      const std::string& rowsPath = DiskLibrary().rows;
      rmdir(rowsPath.substr(0, rowsPath.rfind('/')).c_str());
    });
    return p;
  }();
  return paths;
}

void BM_ReadDataBytes(benchmark::State& state) {
  const qv::DataPaths& paths = DiskLibrary();
  DiskFileSystem disk;
  for (auto _ : state) {
    auto rows = disk.ReadAll(paths.rows);
    auto store = disk.ReadAll(paths.store);
    benchmark::DoNotOptimize(rows);
    benchmark::DoNotOptimize(store);
  }
}
BENCHMARK(BM_ReadDataBytes);

void BM_LoadLibrary(benchmark::State& state) {
  const qv::DataPaths& paths = DiskLibrary();
  DiskFileSystem disk;
  for (auto _ : state) {
    qv::ClipLibrary library;
    library.Load(disk, paths, qv::test::kWestern);
    benchmark::DoNotOptimize(library.store.data());
  }
}
BENCHMARK(BM_LoadLibrary);

void BM_SaveLibrary(benchmark::State& state) {
  const qv::DataPaths paths = qv::DataPaths::InFolder("M:\\");
  MemoryFileSystem memory;
  std::string rows, store;
  MakeLibrary(static_cast<int>(state.range(0)), rows, store);
  memory.Put(paths.rows, std::move(rows));
  memory.Put(paths.store, std::move(store));
  qv::ClipLibrary library;
  library.Load(memory, paths, qv::test::kWestern);
  for (auto _ : state) {
    library.rows[0][0] ^= 1;  // a change in each file, so that both are written
    library.store[0] ^= 1;
    library.Save(memory, paths, qv::test::kWestern);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(library.store.size()));
}
BENCHMARK(BM_SaveLibrary)->Arg(850)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_SaveFloor(benchmark::State& state) {
  const qv::DataPaths paths = qv::DataPaths::InFolder("M:\\");
  MemoryFileSystem memory;
  std::string rows, store;
  MakeLibrary(static_cast<int>(state.range(0)), rows, store);
  memory.Put(paths.rows, rows);
  memory.Put(paths.store, store);
  for (auto _ : state) {
    for (const auto& [path, bytes] :
         {std::pair{&paths.rows, &rows}, std::pair{&paths.store, &store}}) {
      memory.WriteAndFlush(*path + ".tmp", *bytes);
      memory.WriteAndFlush(*path + ".bak.tmp", *memory.ReadAll(*path));
      memory.MoveReplacing(*path + ".bak.tmp", *path + ".bak");
      memory.MoveReplacing(*path + ".tmp", *path);
    }
  }
}
BENCHMARK(BM_SaveFloor)->Arg(850)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
