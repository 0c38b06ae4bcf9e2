#include <gtest/gtest.h>

#include "base/app_error.h"

namespace qv {
namespace {

TEST(ErrorBoxTest, FullStopOnlyAfterCharactersSortingAfterDot) {
  EXPECT_EQ(ErrorBoxText("Cannot open file C:\\Q\\Lb1.qvl"), "Cannot open file C:\\Q\\Lb1.qvl.");
  EXPECT_EQ(ErrorBoxText("'abc' is not a valid integer value"),
            "'abc' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");      // "." itself does not sort after "."
  EXPECT_EQ(ErrorBoxText("Really!"), "Really!");  // "!" sorts before "."
  EXPECT_EQ(ErrorBoxText("Code 7"), "Code 7.");
  EXPECT_EQ(ErrorBoxText(""), "");
  EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");  // 8-bit letters count as above "."
}

TEST(ErrorBoxTest, TitleAndFolderComeFromTheExecutablePath) {
  EXPECT_EQ(ApplicationTitle("C:\\Tools\\QUORVANEL.EXE"), "Quorvanel");
  EXPECT_EQ(ApplicationTitle("C:\\a.b\\Quorvanel.exe"), "Quorvanel");
  EXPECT_EQ(ApplicationTitle("D:Clips.v2.exe"), "Clips.v2");
  EXPECT_EQ(ExeDirectory("C:\\Tools\\Quorvanel.exe"), "C:\\Tools\\");
  EXPECT_EQ(ExeDirectory("D:Quorvanel.exe"), "D:");
  EXPECT_EQ(ExeDirectory("Quorvanel.exe"), "");
  EXPECT_EQ(ExeDirectory("/opt/quorvanel/quorvanel"), "/opt/quorvanel/");
}

}  // namespace
}  // namespace qv
