// Byte formats of the rows and store files, and replacing a data file so it is never torn.
#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "library/data_files.h"
#include "library/file_system.h"
#include "test_support.h"

namespace qv::test {
namespace {

using Lines = std::vector<std::string>;

TEST(SplitFileLines, EveryKindOfBreakEndsALineAndAFinalBreakStartsNone) {
  const struct {
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitFileLines(c.bytes), c.lines) << c.bytes;
}

TEST(RowsFile, AnyBreaksAreReadAndWrittenBackAsCrLfUpToTheFirstNul) {
  const Lines rows = {"one \xE9", "two  ", "", " three"};
  const std::string crlf = "one \xE9\r\ntwo  \r\n\r\n three\r\n";
  const struct {
    std::string file;
    Lines rows;
    std::string writtenBack;
  } cases[] = {
      {crlf, rows, crlf},
      {"one \xE9\ntwo  \n\n three\n", rows, crlf},
      {"one \xE9\rtwo  \r\r three\r", rows, crlf},
      {"one \xE9\r\ntwo  \r\n\r\n three", rows, crlf},
      {Bytes("a\r\nb\0c\r\nd\r\n"), {"a", "b"}, "a\r\nb\r\n"},
      {Bytes("\0a\r\n"), {}, ""},
      {"", {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(ParseRowsFile(c.file), c.rows);
    EXPECT_EQ(SerializeRows(ParseRowsFile(c.file)), c.writtenBack);
  }
}

// The store keeps every byte; only lone breaks become CR LF, and a final break stays.
TEST(StoreFile, EveryBreakBecomesCrLfAndEveryOtherByteIsKept) {
  const struct {
    std::string file, store;
  } cases[] = {
      {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd"},
      {"a\n", "a\r\n"},
      {"a\r", "a\r\n"},
      {"a\n\n", "a\r\n\r\n"},
      {"\n\r", "\r\n\r\n"},
      {"", ""},
      {"\r\n", "\r\n"},
      {"h\r\nx\r\nt\r\n", "h\r\nx\r\nt\r\n"},
      {"h\r\nx\r\nt", "h\r\nx\r\nt"},
      {Bytes("a\0b\r\n\xFF\x80\r\nafter"), Bytes("a\0b\r\n\xFF\x80\r\nafter")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(ParseStoreFile(c.file), c.store);
    EXPECT_EQ(SerializeStore(ParseStoreFile(c.file)), c.store);
  }
}

TEST(DesignRows, SeventyTwoSingleBlanksWithTwoBlanksAtRows38And57) {
  SlotList expected(72, " ");
  expected[38] = expected[57] = "  ";
  EXPECT_EQ(DesignSlotRows(), expected);
}

const std::string kPath = "C:\\Q\\Lb1.qvl";

TEST(ReadDataFile, ReturnsTheBytesOrNamesTheFullPath) {
  FakeFileSystem fs;
  fs.files[kPath] = Bytes("a\0b");
  EXPECT_EQ(ReadDataFile(fs, kPath), Bytes("a\0b"));
  fs.unreadable.insert(kPath);
  EXPECT_EQ(ErrorOf([&] { ReadDataFile(fs, kPath); }), "Cannot open file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(ErrorOf([&] { ReadDataFile(fs, "C:\\Q\\none"); }), "Cannot open file C:\\Q\\none");
}

TEST(SaveDataFile, WritesATempFileKeepsABackupThenMovesItIntoPlace) {
  FakeFileSystem fs;
  fs.files[kPath] = "old";
  SaveDataFile(fs, kPath, "new");
  EXPECT_EQ(fs.log, (Lines{"write " + kPath + ".tmp", "copy " + kPath + " " + kPath + ".bak",
                           "move " + kPath + ".tmp " + kPath}));
}

// Whatever step fails, the file is wholly old or wholly new and no temp file stays behind.
TEST(SaveDataFile, EveryOutcomeLeavesWholeFiles) {
  using Files = std::map<std::string, std::string>;
  const std::string bak = kPath + ".bak", error = "Cannot create file C:\\Q\\Lb1.qvl";
  const struct {
    const char* name;
    Files before;
    int failAtCall;
    Files after;
    std::string error;
  } cases[] = {
      {"replaced", {{kPath, "old"}}, -1, {{kPath, "new"}, {bak, "old"}}, ""},
      {"created without backup", {}, -1, {{kPath, "new"}}, ""},
      {"backup fails", {{kPath, "old"}, {bak, "older"}}, 1, {{kPath, "new"}, {bak, "older"}}, ""},
      {"temp write fails", {{kPath, "old"}}, 0, {{kPath, "old"}}, error},
      {"move fails", {{kPath, "old"}}, 2, {{kPath, "old"}, {bak, "old"}}, error},
      {"missing file, write fails", {}, 0, {}, error},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    fs.files = c.before;
    fs.failAtCall = c.failAtCall;
    EXPECT_EQ(ErrorOf([&] { SaveDataFile(fs, kPath, "new"); }), c.error);
    EXPECT_EQ(fs.files, c.after);
  }
}

}  // namespace
}  // namespace qv::test
