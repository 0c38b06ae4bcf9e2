// A second instance from the same folder: an ordinary start is told and ends, a one-shot start
// runs to paste; the lock's name is the folder's, whatever its spelling.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/second_instance.h"
#include "fakes/fake_desktop.h"

namespace qv::test {
namespace {

TEST(SecondInstanceTest, TheLockNameIsTheFoldersAsWindowsComparesPaths) {
  const std::string name = InstanceLockName("C:\\Tools\\Quorvanel\\");
  EXPECT_EQ(InstanceLockName("c:/tools/QUORVANEL/"), name);
  EXPECT_NE(InstanceLockName("C:\\Tools\\Quorvanel2\\"), name);
  EXPECT_EQ(InstanceLockName(std::string(2000, 'x')).size(), name.size());
  EXPECT_EQ(name.find('\\'), std::string::npos);  // a name in any namespace
}

TEST(SecondInstanceTest, AKnownFolderIdentityNamesTheLockWhateverThePath) {
  const FolderId id{0x1234abcd, 0x0000000200000017ull};
  EXPECT_EQ(InstanceLockName("C:\\qv\\", id), InstanceLockName("Z:\\link-to-qv\\", id));
  EXPECT_NE(InstanceLockName("C:\\qv\\", id),
            InstanceLockName("C:\\qv\\", FolderId{0x1234abcd, 0x18}));
  // ReFS: ids that differ only in their high 64 bits are other folders.
  EXPECT_NE(InstanceLockName("C:\\qv\\", id),
            InstanceLockName("C:\\qv\\", FolderId{0x1234abcd, id.index, 1}));
  EXPECT_NE(InstanceLockName("C:\\qv\\", id), InstanceLockName("C:\\qv\\"));
}

TEST(SecondInstanceTest, OnlyAOneShotStartRunsBesideAnotherInstanceWhichIsToldWhereItRuns) {
  FakeDesktop desktop;
  desktop.keyboard.Press(kVkLeftControl);
  EXPECT_TRUE(MayRunBesideAnotherInstance(desktop, desktop, "Quorvanel", "C:\\qv\\"));
  EXPECT_TRUE(desktop.messages.empty());
  desktop.keyboard = {};
  const std::pair<OtherInstance, const char*> cases[] = {
      {OtherInstance::ThisSession, ": its icon is in the notification area."},
      {OtherInstance::OtherSession, " for another user of this computer"},
      {OtherInstance::ElevatedThisSession, " as administrator, in this session"},
      {OtherInstance::ThroughAnotherPath, ", started through another path"}};
  for (const auto& [other, where] : cases) {
    EXPECT_FALSE(MayRunBesideAnotherInstance(desktop, desktop, "Quorvanel", "C:\\qv\\", other));
    EXPECT_THAT(
        desktop.messages.back(),
        ::testing::StartsWith(std::string("Quorvanel is already running from C:\\qv\\") + where));
  }
}

}  // namespace
}  // namespace qv::test
