// The mount table is read once and kept: a mount or an unmount made after
// that must still show at the next look.

#include "platform/Platform.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>

namespace qmel {
namespace {

bool showsVolume(const std::string& root)
{
    for (const auto& volume : systemPlatform().volumes()) {
        if (volume.root == root)
            return true;
    }
    return false;
}

TEST(MountCache, FollowsMountsAndUnmountsMadeAfterTheFirstRead)
{
    test::TempDir dir;
    const std::string point = dir / "ram";
    dir.makeDirectory("ram");
    const auto result = test::runInChild([&]() -> std::vector<std::string> {
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return {test::SkipMarker, "cannot make a mount namespace here (needs CAP_SYS_ADMIN)"};
        std::vector<std::string> seen;
        seen.push_back(showsVolume(point) ? "shown" : "absent");
        if (mount("qmel-test", point.c_str(), "tmpfs", 0, "size=64k") != 0)
            return {test::SkipMarker, "cannot mount a tmpfs here"};
        seen.push_back(showsVolume(point) ? "shown" : "absent");
        seen.push_back(systemPlatform().volumeRootOf(point + "/x") == point ? "holds" : "elsewhere");
        if (umount(point.c_str()) != 0)
            return {"cannot unmount"};
        seen.push_back(showsVolume(point) ? "shown" : "absent");
        return seen;
    });
    if (!result.fields.empty() && result.fields[0] == test::SkipMarker)
        GTEST_SKIP() << result.fields[1];
    ASSERT_TRUE(result.exitedCleanly);
    EXPECT_EQ(result.fields, (std::vector<std::string>{"absent", "shown", "holds", "absent"}));
}

}  // namespace
}  // namespace qmel
