// The slot rows file loaded and saved through the clip library: every byte comes back, with
// only the line breaks made CR LF and a final one added; a saved file is a fixed point. The
// file is 8-bit text in code page 1252, or UTF-8 after a byte order mark.
#include "base/utf8_text.h"
#include "fuzz_support.h"
#include "library/clip_library.h"
#include "test_support.h"

namespace qv::fuzz {
namespace {

const DataPaths kPaths = DataPaths::InFolder("C:\\Q\\");
const std::string kStore = "/:hdr:\\FUZZSLOT000001\r\nclip\r\n/:tlr:\\FUZZSLOT000001\r\n";

struct Saved {
  SlotList rows;
  std::string rowsFile, message;
};

Saved LoadAndSave(test::FakeFileSystem& fs) {
  ClipLibrary library;
  Saved saved;
  saved.message = test::ErrorOf([&] { library.Load(fs, kPaths, test::kWestern); });
  saved.rows = library.rows;
  FUZZ_CHECK(library.store == kStore);
  FUZZ_CHECK(test::ErrorOf([&] { library.Save(fs, kPaths, test::kWestern); }).empty());
  saved.rowsFile = fs.files[kPaths.rows];
  FUZZ_CHECK(fs.files[kPaths.store] == kStore);
  return saved;
}

}  // namespace
}  // namespace qv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qv;
  using namespace qv::fuzz;
  const std::string file = AsString(data, size);
  test::FakeFileSystem fs;
  fs.files = {{kPaths.rows, file}, {kPaths.store, kStore}};

  const Saved first = LoadAndSave(fs);
  const bool marked = file.starts_with(kUtf8Mark);
  const std::string bytes = marked ? file.substr(kUtf8Mark.size()) : file;
  FUZZ_CHECK(first.rows == FileLines(marked ? bytes : test::kWestern.Decode(bytes)));
  const bool damaged = LooksDamaged(file);
  const std::string kept = kPaths.rows + ".damaged-1";  // the damaged file as found
  FUZZ_CHECK(first.message == (damaged ? DamagedFileMessage(kPaths.rows, kept) : ""));
  const std::string expected = (marked ? std::string(kUtf8Mark) : "") + WithCrLfBreaks(bytes) +
                               (bytes.empty() || EndsWithBreak(bytes) ? "" : "\r\n");
  FUZZ_CHECK(first.rowsFile == expected);
  // Written, with the file as found as its backup, only when the bytes changed.
  const bool rewritten = first.rowsFile != file;
  FUZZ_CHECK(fs.files.count(kPaths.rows + ".bak") == rewritten);
  FUZZ_CHECK(!rewritten || fs.files[kPaths.rows + ".bak"] == file);

  const Saved second = LoadAndSave(fs);
  FUZZ_CHECK(second.rows == first.rows);
  FUZZ_CHECK(second.rowsFile == first.rowsFile);
  FUZZ_CHECK(!damaged || fs.files[kept] == file);
  // The two files, the rewritten one's backup, a damaged file's versions as found, no temp
  // file.
  FUZZ_CHECK(fs.files.size() == 2u + rewritten + (damaged ? 1u + rewritten : 0u));
  return 0;
}
