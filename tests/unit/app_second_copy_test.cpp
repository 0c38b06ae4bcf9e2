// A second copy from the same folder: an ordinary start is told and ends, a one-shot start
// runs to paste; the lock's name is the folder's, whatever its spelling.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/second_copy.h"
#include "fakes/fake_desktop.h"

namespace qv::test {
namespace {

TEST(SecondCopyTest, TheLockNameIsTheFoldersAsWindowsComparesPaths) {
  const std::string name = CopyLockName("C:\\Tools\\Quorvanel\\");
  EXPECT_EQ(CopyLockName("c:/tools/QUORVANEL/"), name);
  EXPECT_NE(CopyLockName("C:\\Tools\\Quorvanel2\\"), name);
  EXPECT_EQ(CopyLockName(std::string(2000, 'x')).size(), name.size());
  EXPECT_EQ(name.find('\\'), std::string::npos);  // a name in any namespace
}

TEST(SecondCopyTest, AKnownFolderIdentityNamesTheLockWhateverThePath) {
  const FolderId id{0x1234abcd, 0x0000000200000017ull};
  EXPECT_EQ(CopyLockName("C:\\qv\\", id), CopyLockName("Z:\\link-to-qv\\", id));
  EXPECT_NE(CopyLockName("C:\\qv\\", id), CopyLockName("C:\\qv\\", FolderId{0x1234abcd, 0x18}));
  // ReFS: ids that differ only in their high 64 bits are other folders.
  EXPECT_NE(CopyLockName("C:\\qv\\", id),
            CopyLockName("C:\\qv\\", FolderId{0x1234abcd, id.index, 1}));
  EXPECT_NE(CopyLockName("C:\\qv\\", id), CopyLockName("C:\\qv\\"));
}

TEST(SecondCopyTest, OnlyAOneShotStartRunsBesideAnotherCopyAndTheOtherIsToldWhereItRuns) {
  FakeDesktop desktop;
  desktop.keyboard.Press(kVkLeftControl);
  EXPECT_TRUE(MayRunBesideAnotherCopy(desktop, desktop, "Quorvanel", "C:\\qv\\"));
  EXPECT_TRUE(desktop.messages.empty());
  desktop.keyboard = {};
  const std::pair<OtherCopy, const char*> cases[] = {
      {OtherCopy::ThisSession, ": its icon is in the notification area."},
      {OtherCopy::OtherSession, " for another user of this computer"},
      {OtherCopy::ThroughAnotherPath, ", started through another path"}};
  for (const auto& [other, where] : cases) {
    EXPECT_FALSE(MayRunBesideAnotherCopy(desktop, desktop, "Quorvanel", "C:\\qv\\", other));
    EXPECT_THAT(
        desktop.messages.back(),
        ::testing::StartsWith(std::string("Quorvanel is already running from C:\\qv\\") + where));
  }
}

}  // namespace
}  // namespace qv::test
