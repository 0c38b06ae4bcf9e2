// The clip store file loaded and saved through the clip library: every byte comes back with
// only the line breaks made CR LF; a saved file is a fixed point and counts the same lines.
// The file is 8-bit, UTF-8 or UTF-8 after a byte order mark, read with code page 1252 on a
// system whose code page is 1252 or UTF-8; a store that gains characters outside the code
// page loads back the same.
#include "base/utf8_text.h"
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

const test::FakeCodePage kUtf8System{1252, true};

Saved LoadAndSave(test::FakeFileSystem& fs, const CodePage& codePage, const char* gained = "") {
  ClipLibrary library;
  Saved saved;
  saved.message = test::ErrorOf([&] { library.Load(fs, kPaths, codePage); });
  saved.store = library.store;
  FUZZ_CHECK(library.rows == SlotList{"title"});
  library.store += gained;
  FUZZ_CHECK(test::ErrorOf([&] { library.Save(fs, kPaths, codePage); }).empty());
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
  for (const CodePage* codePage : {&test::kWestern, &kUtf8System}) {
    test::FakeFileSystem fs;
    fs.files = {{kPaths.rows, kRows}, {kPaths.store, file}};
    const Saved first = LoadAndSave(fs, *codePage);
    const bool damaged = LooksDamaged(file);
    const std::string kept = kPaths.store + ".damaged-1";  // the damaged file as found
    FUZZ_CHECK(first.message == (damaged ? DamagedFileMessage(kPaths.store, kept) : ""));
    const bool marked = file.starts_with(kUtf8Mark);
    const std::string bytes = marked ? file.substr(kUtf8Mark.size()) : file;
    FUZZ_CHECK(first.storeFile == (marked ? std::string(kUtf8Mark) : "") + WithCrLfBreaks(bytes));
    FUZZ_CHECK(!IsAscii(bytes) || first.store == WithCrLfBreaks(bytes));
    FUZZ_CHECK(LineCount(first.store) == LineCount(bytes));
    FUZZ_CHECK(LineCount(first.store) == static_cast<int>(FileLines(bytes).size()));

    // Written, with the file as found as its backup, only when the bytes changed.
    const bool rewritten = first.storeFile != file;
    FUZZ_CHECK(fs.files.count(kPaths.store + ".bak") == rewritten);
    FUZZ_CHECK(!rewritten || fs.files[kPaths.store + ".bak"] == file);

    const Saved second = LoadAndSave(fs, *codePage);
    FUZZ_CHECK(second.store == first.store);
    FUZZ_CHECK(second.storeFile == first.storeFile);
    FUZZ_CHECK(!damaged || fs.files[kept] == file);
    // The two files, the rewritten one's backup, a damaged file's versions as found, no temp
    // file.
    FUZZ_CHECK(fs.files.size() == 2u + rewritten + (damaged ? 1u + rewritten : 0u));

    constexpr const char* kGained = "\r\n\u2713 \U0001F600";
    LoadAndSave(fs, *codePage, kGained);
    FUZZ_CHECK(LoadAndSave(fs, *codePage).store == first.store + kGained);
  }
  return 0;
}
