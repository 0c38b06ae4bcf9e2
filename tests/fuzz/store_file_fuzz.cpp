// The clip store file loaded and saved through the clip library: every byte comes back with
// only the line breaks made CR LF; a saved file is a fixed point and counts the same lines.
#include "fuzz_support.h"
#include "library/clip_library.h"
#include "test_support.h"

namespace qv::fuzz {
namespace {

const DataPaths kPaths = DataPaths::InFolder("C:\\Q\\");
const std::string kRows = "title\r\n";

struct Saved {
  ClipStore store;
  std::string storeFile, message;
};

Saved LoadAndSave(test::FakeFileSystem& fs) {
  ClipLibrary library;
  Saved saved;
  saved.message = test::ErrorOf([&] { library.Load(fs, kPaths); });
  saved.store = library.store;
  FUZZ_CHECK(library.rows == SlotList{"title"});
  FUZZ_CHECK(test::ErrorOf([&] { library.Save(fs, kPaths); }).empty());
  saved.storeFile = fs.files[kPaths.store];
  FUZZ_CHECK(fs.files[kPaths.rows] == kRows);
  return saved;
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  const std::string file = AsString(data, size);
  test::FakeFileSystem fs;
  fs.files = {{kPaths.rows, kRows}, {kPaths.store, file}};

  const Saved first = LoadAndSave(fs);
  const bool damaged = LooksDamaged(file);
  const std::string kept = kPaths.store + ".damaged-1";  // the damaged file as found
  FUZZ_CHECK(first.message == (damaged ? DamagedFileMessage(kPaths.store, kept) : ""));
  FUZZ_CHECK(first.store == WithCrLfBreaks(file));
  FUZZ_CHECK(first.storeFile == first.store);
  FUZZ_CHECK(LineCount(first.store) == LineCount(file));
  FUZZ_CHECK(LineCount(first.store) == static_cast<int>(FileLines(file).size()));
  // Written, with the file as found as its backup, only when the bytes changed.
  const bool rewritten = first.storeFile != file;
  FUZZ_CHECK(fs.files.count(kPaths.store + ".bak") == rewritten);
  FUZZ_CHECK(!rewritten || fs.files[kPaths.store + ".bak"] == file);

  const Saved second = LoadAndSave(fs);
  FUZZ_CHECK(second.store == first.store);
  FUZZ_CHECK(second.storeFile == first.storeFile);
  FUZZ_CHECK(!damaged || fs.files[kept] == file);
  // The two files, the rewritten one's backup, a damaged file's versions as found, no temp
  // file.
  FUZZ_CHECK(fs.files.size() == 2u + rewritten + (damaged ? 1u + rewritten : 0u));
  return 0;
}
