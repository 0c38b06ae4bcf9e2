// Reading a data file, and replacing one so that it is never torn or lost.
#include <gtest/gtest.h>

#include <functional>

#include "app/app_error.h"
#include "fakes/fake_file_system.h"
#include "library/file_system.h"

namespace qv::test {
namespace {

const std::string kPath = "C:\\Q\\Lb1.qvl";

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AppError& error) {
    return error.what();
  }
  return "";
}

TEST(ReadDataFile, ReturnsTheBytesOrNamesTheFullPath) {
  FakeFileSystem fs;
  fs.files[kPath] = std::string("a\0b", 3);
  EXPECT_EQ(ReadDataFile(fs, kPath), std::string("a\0b", 3));
  fs.unreadable.insert(kPath);
  EXPECT_EQ(MessageOf([&] { ReadDataFile(fs, kPath); }), "Cannot open file C:\\Q\\Lb1.qvl");
  EXPECT_EQ(MessageOf([&] { ReadDataFile(fs, "C:\\Q\\none"); }), "Cannot open file C:\\Q\\none");
}

TEST(SaveDataFile, WritesATempFileKeepsABackupThenMovesItIntoPlace) {
  FakeFileSystem fs;
  fs.files[kPath] = "old";
  SaveDataFile(fs, kPath, "new");
  EXPECT_EQ(fs.files,
            (std::map<std::string, std::string>{{kPath, "new"}, {kPath + ".bak", "old"}}));
  EXPECT_EQ(fs.log, (std::vector<std::string>{"write " + kPath + ".tmp",
                                              "copy " + kPath + " " + kPath + ".bak",
                                              "move " + kPath + ".tmp " + kPath}));
}

TEST(SaveDataFile, CreatesAMissingFileWithoutABackup) {
  FakeFileSystem fs;
  SaveDataFile(fs, kPath, "");
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kPath, ""}}));
}

TEST(SaveDataFile, AFailedBackupDoesNotStopTheSave) {
  FakeFileSystem fs;
  fs.files[kPath] = "old";
  fs.files[kPath + ".bak"] = "older";
  fs.failAtCall = 1;  // the copy to the backup
  SaveDataFile(fs, kPath, "new");
  EXPECT_EQ(fs.files[kPath], "new");
  EXPECT_EQ(fs.files[kPath + ".bak"], "older");
  EXPECT_EQ(fs.files.count(kPath + ".tmp"), 0u);
}

TEST(SaveDataFile, EveryFailureKeepsTheOldFileRemovesTheTempAndNamesThePath) {
  for (int failing : {0, 2}) {  // the temp write, the move into place
    SCOPED_TRACE(failing);
    FakeFileSystem fs;
    fs.files[kPath] = "old";
    fs.failAtCall = failing;
    EXPECT_EQ(MessageOf([&] { SaveDataFile(fs, kPath, "new contents"); }),
              "Cannot create file C:\\Q\\Lb1.qvl");
    EXPECT_EQ(fs.files[kPath], "old");
    EXPECT_EQ(fs.files.count(kPath + ".tmp"), 0u);
  }
}

TEST(SaveDataFile, FailureOnAMissingFileCreatesNothing) {
  FakeFileSystem fs;
  fs.failAtCall = 0;
  EXPECT_THROW(SaveDataFile(fs, kPath, "new"), AppError);
  EXPECT_TRUE(fs.files.empty());
}

}  // namespace
}  // namespace qv::test
