// The Linux host's root under Wine: told apart however it is reached, and never walked. A folder
// of the test prefix with a drive onto it stands in for "/".
#include <gtest/gtest.h>

#include "engine/FolderSafety.h"
#include "engine/HostRoots.h"
#include "tests/common/HostStandIn.h"

namespace scw::test {
namespace {

TEST(HostRoots, TheRootByItsDriveItsFolderOrItsUnixNameIsTheHostsAndNoWalkMayTakeIt) {
    HostStandIn host;
    if (!host.Ready()) GTEST_SKIP() << "needs Wine's mount manager";
    const HostRoots hosts(host.UnixFolder());
    const std::wstring drive = host.Drive();
    for (const std::wstring& root : {drive, drive.substr(0, 2), host.Folder(), host.DevicePath() + L"\\"})
        EXPECT_TRUE(hosts.IsHostRoot(root)) << std::string(root.begin(), root.end());
    for (const std::wstring& other : {std::wstring(L"C:\\"), host.Folder() + L"sub\\", drive + L"sub\\"})
        EXPECT_FALSE(hosts.IsHostRoot(other)) << std::string(other.begin(), other.end());
    EXPECT_FALSE(HostRoots().IsHostRoot(drive)) << "with the real root, the stand-in is a plain folder";
    EXPECT_FALSE(HostRoots().IsHostRoot(L"C:\\"));

    EXPECT_TRUE(hosts.Refusal(drive).has_value());
    EXPECT_TRUE(HostRoots().Refusal(host.DevicePath() + L"\\sub\\").has_value()) << "a device path, whatever it names";
    EXPECT_TRUE(HostRoots().Refusal(L"\\\\.\\C:\\").has_value());
    EXPECT_FALSE(hosts.Refusal(host.Folder() + L"sub\\").has_value());

    // The guard of every walking scan and delete: the root and any folder holding it are refused,
    // a folder below it is not, as for the system's top folders.
    OverrideEnvironment env;
    env.SetHostRootFolder(host.UnixFolder());
    const FolderGuard guard(env);
    EXPECT_FALSE(guard.MayWalk(host.Folder()));
    // (Its parent on C: does not hold it: Wine names the stand-in by its own drive, as it names
    // "/" by Z:, and the real root has no parent.)
    EXPECT_TRUE(guard.MayWalk(host.Folder() + L"sub\\"));
    // Without the stand-in the folder is no host root. (The guard refuses it anyway: Wine names it
    // by the stand-in's drive, and a drive root is protected in its own right.)
    EXPECT_FALSE(HostRoots(OverrideEnvironment().HostRootFolder()).IsHostRoot(host.Folder()))
        << "the stand-in alone decides";
    EXPECT_TRUE(host.FilesSurvive());
}

}  // namespace
}  // namespace scw::test
