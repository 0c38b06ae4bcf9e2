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
  EXPECT_EQ(name.rfind("Global\\", 0), 0u);
  EXPECT_EQ(name.find('\\', 7), std::string::npos);  // only the namespace's backslash
}

TEST(SecondInstanceTest, AKnownFolderIdentityNamesTheLockWhateverThePath) {
  const FolderId id{0x1234abcd, 0x0000000200000017ull};
  EXPECT_EQ(InstanceLockName("C:\\qv\\", id), InstanceLockName("Z:\\link-to-qv\\", id));
  EXPECT_NE(InstanceLockName("C:\\qv\\", id),
            InstanceLockName("C:\\qv\\", FolderId{0x1234abcd, 0x18}));
  EXPECT_NE(InstanceLockName("C:\\qv\\", id), InstanceLockName("C:\\qv\\"));
}

TEST(SecondInstanceTest, OnlyAOneShotStartRunsBesideAnotherCopy) {
  FakeDesktop desktop;
  desktop.keyboard.Press(kVkLeftControl);
  EXPECT_TRUE(MayRunBesideAnotherInstance(desktop, desktop, "Quorvanel", "C:\\qv\\"));
  EXPECT_TRUE(desktop.messages.empty());
  desktop.keyboard = {};
  EXPECT_FALSE(MayRunBesideAnotherInstance(desktop, desktop, "Quorvanel", "C:\\qv\\"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_THAT(desktop.messages[0],
              ::testing::HasSubstr("Quorvanel is already running from C:\\qv\\"));
}

}  // namespace
}  // namespace qv::test
