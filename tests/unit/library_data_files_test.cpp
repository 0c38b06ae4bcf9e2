// Byte formats of the rows and store files, and replacing a data file so it is never torn.
#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "library/data_files.h"
#include "library/file_system.h"
#include "library/retrying_file_system.h"
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

TEST(RowsFile, AnyBreaksAreReadAndWrittenBackAsCrLfAndEveryOtherByteIsKept) {
  const Lines rows = {"one \xE9", "two  ", "", " three"};
  const std::string crlf = "one \xE9\r\ntwo  \r\n\r\n three\r\n";
  const std::tuple<std::string, Lines, std::string> cases[] = {
      {crlf, rows, crlf},
      {"one \xE9\ntwo  \n\n three\n", rows, crlf},
      {"one \xE9\rtwo  \r\r three\r", rows, crlf},
      {"one \xE9\r\ntwo  \r\n\r\n three", rows, crlf},
      {Bytes("a\r\nb\0c\nd"), {"a", Bytes("b\0c"), "d"}, Bytes("a\r\nb\0c\r\nd\r\n")},
      {Bytes("\0\r\n\xFF"), {Bytes("\0"), "\xFF"}, Bytes("\0\r\n\xFF\r\n")},
      {"", {}, ""},
  };
  for (const auto& [file, rows, writtenBack] : cases) {
    EXPECT_EQ(SplitFileLines(file), rows) << file;
    EXPECT_EQ(SerializeRows(SplitFileLines(file)), writtenBack) << file;
  }
  // A break inside a row would make two rows of it when read back.
  EXPECT_EQ(SerializeRows({"ab\rcd", "e\r\nf\n"}), "ab cd\r\ne  f \r\n");
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
    EXPECT_EQ(ParseStoreFile(file), store) << file;
    // Bytes handed over whole are taken as they are only when every break is CR LF.
    EXPECT_EQ(ParseStoreFile(std::string(file)), store) << file;
  }
  for (const std::string file : {"\r\r\n", "\r\n\n", "\n", "\r", "a\r\nb\r", "\na\r\n"})
    EXPECT_EQ(ParseStoreFile(std::string(file)), ParseStoreFile(std::string_view(file))) << file;
}

TEST(DamagedFile, IsOneHoldingANulByteAndIsNamedWithItsPath) {
  EXPECT_TRUE(LooksDamaged(Bytes("a\0")));
  EXPECT_FALSE(LooksDamaged("\xFF\x01\r\n"));
  EXPECT_EQ(DamagedFileMessage("C:\\Q\\Lb1.qvl", "C:\\Q\\Lb1.qvl.damaged-2"),
            "File C:\\Q\\Lb1.qvl looks damaged (it holds NUL bytes); it is loaded as it is, and "
            "a copy of it as found is kept as C:\\Q\\Lb1.qvl.damaged-2");
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

TEST(SaveDataFile, WritesATempFileThenABackupTheSameWayThenMovesTheFileIntoPlace) {
  FakeFileSystem fs;
  fs.files[kPath] = "old";
  SaveDataFile(fs, kPath, "new");
  const std::string tmp = kPath + ".tmp", bak = kPath + ".bak";
  EXPECT_EQ(fs.log, (Lines{"read " + kPath, "write " + tmp, "write " + bak + ".tmp",
                           "move " + bak + ".tmp " + bak, "move " + tmp + " " + kPath}));
}

// Whatever step fails, the file and its backup are each wholly old or wholly new, no temp
// file stays behind, and the message names the data file, and the temp file only when
// something stood in its way. A file that holds the bytes already is not written at all.
TEST(SaveDataFile, EveryOutcomeLeavesWholeFilesAndNamesWhatFailed) {
  using Files = std::map<std::string, std::string>;
  const std::string tmp = kPath + ".tmp", bak = kPath + ".bak";
  const Files before = {{kPath, "old"}, {bak, "older"}};
  const struct {
    const char* name;
    Files before;
    int failAtCall;
    std::string folder;
    Files after;
    std::string message;
  } cases[] = {
      {"unchanged, in a folder that takes no file",
       {{kPath, "new"}},
       0,
       kPath + ".tmp",
       {{kPath, "new"}},
       ""},
      {"replaced", before, -1, "", {{kPath, "new"}, {bak, "old"}}, ""},
      {"created without backup", {}, -1, "", {{kPath, "new"}}, ""},
      {"temp write fails", before, 0, "", before, kPath},
      {"backup write fails", before, 1, "", {{kPath, "new"}, {bak, "older"}}, ""},
      {"backup move fails", before, 2, "", {{kPath, "new"}, {bak, "older"}}, ""},
      {"move fails", before, 3, "", {{kPath, "old"}, {bak, "old"}}, kPath},
      {"missing file, write fails", {}, 0, "", {}, kPath},
      {"a folder stands at the temp file", before, -1, tmp, before,
       kPath + ".\nIts new version is written first as " + tmp +
           ", and a file or folder of that name is in the way"},
      {"a folder stands at the backup's temp",
       before,
       -1,
       bak + ".tmp",
       {{kPath, "new"}, {bak, "older"}},
       ""},
      {"a folder stands at the file", {{bak, "older"}}, -1, kPath, {{bak, "older"}}, kPath},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFileSystem fs;
    fs.files = c.before;
    fs.failAtCall = c.failAtCall;
    if (!c.folder.empty()) fs.folders.insert(c.folder);
    EXPECT_EQ(ErrorOf([&] { SaveDataFile(fs, kPath, "new"); }),
              c.message.empty() ? "" : "Cannot create file " + c.message);
    EXPECT_EQ(fs.files, c.after);
  }
}

// A file another program holds for a moment is saved, with its backup, once let go; one held
// longer fails after two seconds of waiting; a failure that waiting does not mend, at once.
TEST(SaveDataFile, WaitsForABusyFileAtMostTwoSeconds) {
  using Files = std::map<std::string, std::string>;
  const std::string bak = kPath + ".bak";
  const Files before = {{kPath, "old"}, {bak, "older"}}, saved = {{kPath, "new"}, {bak, "old"}};
  const std::tuple<std::string, int, int, Files, std::string, std::int64_t> cases[] = {
      {kPath, 1200, -1, saved, "", 1535},
      {bak, 1200, -1, saved, "", 1535},
      {kPath, 60000, -1, before, kPath, kBusyWaitLimitMs},
      {kPath, 0, 0, before, kPath, 0},
  };
  for (const auto& [busy, busyMs, failAtCall, after, failed, waitedMs] : cases) {
    FakeClock clock;
    FakeFileSystem disk;
    disk.files = before;
    disk.now = &clock.now;
    disk.busyUntilMs[busy] = busyMs;
    disk.failAtCall = failAtCall;
    RetryingFileSystem fs(disk, clock);
    EXPECT_EQ(ErrorOf([&] { SaveDataFile(fs, kPath, "new"); }),
              failed.empty() ? "" : "Cannot create file " + failed);
    EXPECT_EQ(std::tuple(disk.files, clock.now), std::tuple(after, waitedMs)) << busy << busyMs;
  }
  // A spell that ended in failure long ago leaves the next held file its two seconds.
  FakeClock clock;
  FakeFileSystem disk;
  disk.now = &clock.now;
  disk.busyUntilMs[kPath] = 60000;
  RetryingFileSystem fs(disk, clock);
  EXPECT_FALSE(fs.ReadAll(kPath));
  clock.Wait(60000);
  disk.busyUntilMs[kPath] = clock.now + 1200;
  EXPECT_TRUE(fs.WriteAndFlush(kPath, "new"));
}

}  // namespace
}  // namespace qv::test
