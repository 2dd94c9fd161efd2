// Failures that only a user without rights meets. CI runs as root, so the
// checks run in a child that drops to the unprivileged user "nobody".

#include "platform/posix/PosixPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::listNames;
using test::readBytes;
using test::TempDir;

struct Check {
    const char* what;
    std::function<bool(PosixPlatform&)> holds;
};

// Runs the checks in a child without privileges; the index of the first
// failing check, or -1 when all hold. The child's exit code carries it.
int firstFailingCheckAsNobody(const std::vector<Check>& checks)
{
    const pid_t child = fork();
    if (child < 0)
        return -2;
    if (child == 0) {
        if (geteuid() == 0) {
            const uid_t nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0)
                _exit(254);
        }
        PosixPlatform platform;
        for (std::size_t i = 0; i < checks.size(); ++i) {
            if (!checks[i].holds(platform))
                _exit(static_cast<int>(i));
        }
        _exit(255);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 254)
        return -2;
    return WEXITSTATUS(status) == 255 ? -1 : WEXITSTATUS(status);
}

TEST(Permissions, DeniedAccessGivesTheRightFailures)
{
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);  // let "nobody" in
    dir.makeDirectory("locked");
    ASSERT_EQ(chmod((dir / "locked").c_str(), 0), 0);
    dir.makeDirectory("readonly");
    dir.write("readonly/settings.ini", "old");
    ASSERT_EQ(chmod((dir / "readonly/settings.ini").c_str(), 0666), 0);
    dir.write("secret.ini", "secret");
    ASSERT_EQ(chmod((dir / "secret.ini").c_str(), 0600), 0);

    const std::vector<Check> checks = {
        {"changeDirectory into a locked directory gives EACCES",
         [&](PosixPlatform& p) { return p.changeDirectory(dir / "locked") == EACCES; }},
        {"listDirectory of a locked directory gives EACCES",
         [&](PosixPlatform& p) {
             std::vector<DirectoryEntry> entries;
             return p.listDirectory(dir / "locked", entries) == EACCES;
         }},
        {"readFile of an unreadable file cannot open",
         [&](PosixPlatform& p) {
             std::string bytes;
             return p.readFile(dir / "secret.ini", 1024, bytes) == ReadStatus::CannotOpen;
         }},
        {"replaceFile in a read-only directory cannot create",
         [&](PosixPlatform& p) {
             return p.replaceFile(dir / "readonly/settings.ini", "new") == WriteStatus::CannotCreate;
         }},
        {"resolveName cannot look into a locked directory",
         [&](PosixPlatform& p) { return p.resolveName(dir / "locked/X.INI") == dir / "locked/X.INI"; }},
    };
    const int failing = firstFailingCheckAsNobody(checks);
    ASSERT_NE(failing, -2) << "could not run a child as an unprivileged user";
    EXPECT_EQ(failing, -1) << checks[static_cast<std::size_t>(std::max(failing, 0))].what;

    EXPECT_EQ(readBytes(dir / "readonly/settings.ini"), "old");
    EXPECT_EQ(listNames(dir / "readonly"), std::vector<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace qmel
