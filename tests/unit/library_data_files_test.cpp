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
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF CR is two breaks
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"", {}},
      {"a\nb\r\nc", {"a", "b", "c"}},  // LF and CR LF mixed, no lone CR
      {"\r\na\r", {"", "a"}},
  };
  for (const auto& [bytes, lines] : cases) EXPECT_EQ(SplitFileLines(bytes), lines) << bytes;
}

TEST(RowsFile, AnyBreaksAreReadAndWrittenBackAsCrLfUpToTheFirstNul) {
  const Lines rows = {"one \xE9", "two  ", "", " three"};
  const std::string crlf = "one \xE9\r\ntwo  \r\n\r\n three\r\n";
  const std::tuple<std::string, Lines, std::string> cases[] = {
      {crlf, rows, crlf},
      {"one \xE9\ntwo  \n\n three\n", rows, crlf},
      {"one \xE9\rtwo  \r\r three\r", rows, crlf},
      {"one \xE9\r\ntwo  \r\n\r\n three", rows, crlf},
      {Bytes("a\r\nb\0c\r\nd\r\n"), {"a", "b"}, "a\r\nb\r\n"},
      {Bytes("\0a\r\n"), {}, ""},
      {"", {}, ""},
  };
  for (const auto& [file, rows, writtenBack] : cases) {
    EXPECT_EQ(ParseRowsFile(file), rows) << file;
    EXPECT_EQ(SerializeRows(ParseRowsFile(file)), writtenBack) << file;
  }
}

// The store keeps every byte; only lone breaks become CR LF, and a final break stays.
TEST(StoreFile, EveryBreakBecomesCrLfAndEveryOtherByteIsKept) {
  const std::pair<std::string, std::string> cases[] = {
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
  for (const auto& [file, store] : cases) {
    EXPECT_EQ(ParseStoreFile(file), store) << file;
    EXPECT_EQ(SerializeStore(ParseStoreFile(file)), store) << file;
    // Bytes handed over whole are taken as they are only when every break is CR LF.
    EXPECT_EQ(ParseStoreFile(std::string(file)), store) << file;
  }
  for (const std::string file : {"\r\r\n", "\r\n\n", "\n", "\r", "a\r\nb\r", "\na\r\n"})
    EXPECT_EQ(ParseStoreFile(std::string(file)), ParseStoreFile(std::string_view(file))) << file;
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
  const std::tuple<const char*, Files, int, Files, std::string> cases[] = {
      {"replaced", {{kPath, "old"}}, -1, {{kPath, "new"}, {bak, "old"}}, ""},
      {"created without backup", {}, -1, {{kPath, "new"}}, ""},
      {"backup fails", {{kPath, "old"}, {bak, "older"}}, 1, {{kPath, "new"}, {bak, "older"}}, ""},
      {"temp write fails", {{kPath, "old"}}, 0, {{kPath, "old"}}, error},
      {"move fails", {{kPath, "old"}}, 2, {{kPath, "old"}, {bak, "old"}}, error},
      {"missing file, write fails", {}, 0, {}, error},
  };
  for (const auto& [name, before, failAtCall, after, error] : cases) {
    SCOPED_TRACE(name);
    FakeFileSystem fs;
    fs.files = before;
    fs.failAtCall = failAtCall;
    EXPECT_EQ(ErrorOf([&] { SaveDataFile(fs, kPath, "new"); }), error);
    EXPECT_EQ(fs.files, after);
  }
}

}  // namespace
}  // namespace qv::test
