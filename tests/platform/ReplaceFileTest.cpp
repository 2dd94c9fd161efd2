#include "platform/posix/PosixPlatform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qmel {
namespace {

using test::listNames;
using test::readBytes;
using test::TempDir;

const std::string newBytes("new\0line\r\nend\xE9\xFF", 16);

mode_t modeOf(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(umask(mask)) {}
    ~ScopedUmask() { umask(previous_); }

private:
    mode_t previous_;
};

TEST(ReplaceFile, CreatesANewFileWithExactBytes)
{
    TempDir dir;
    ScopedUmask mask(027);
    PosixPlatform platform;
    ASSERT_EQ(platform.replaceFile(dir / "QMel_DBoyPath.ini", newBytes), WriteStatus::Ok);
    EXPECT_EQ(readBytes(dir / "QMel_DBoyPath.ini"), newBytes);
    EXPECT_EQ(modeOf(dir / "QMel_DBoyPath.ini"), 0640u);
    EXPECT_EQ(listNames(dir.path()), std::vector<std::string>{"QMel_DBoyPath.ini"});

    ASSERT_EQ(platform.replaceFile(dir / "empty.ini", ""), WriteStatus::Ok);
    EXPECT_EQ(readBytes(dir / "empty.ini"), "");
}

TEST(ReplaceFile, KeepsPermissionBitsOfTheOldFile)
{
    TempDir dir;
    dir.write("settings.ini", "old");
    ASSERT_EQ(chmod((dir / "settings.ini").c_str(), 0604), 0);
    PosixPlatform platform;
    ASSERT_EQ(platform.replaceFile(dir / "settings.ini", newBytes), WriteStatus::Ok);
    EXPECT_EQ(readBytes(dir / "settings.ini"), newBytes);
    EXPECT_EQ(modeOf(dir / "settings.ini"), 0604u);
}

TEST(ReplaceFile, ReplacesTheTargetOfALinkAndKeepsTheLink)
{
    TempDir dir;
    dir.write("real/settings.ini", "old");
    ASSERT_EQ(symlink("real/settings.ini", (dir / "link.ini").c_str()), 0);
    ASSERT_EQ(symlink("real/created.ini", (dir / "dangling.ini").c_str()), 0);
    // A link to a case variant of its own name: the variant is the target, not a stale copy.
    dir.write("same/SETTINGS.INI", "old");
    ASSERT_EQ(symlink("SETTINGS.INI", (dir / "same/Settings.ini").c_str()), 0);
    PosixPlatform platform;

    ASSERT_EQ(platform.replaceFile(dir / "link.ini", newBytes), WriteStatus::Ok);
    ASSERT_EQ(platform.replaceFile(dir / "dangling.ini", "made"), WriteStatus::Ok);

    char text[256] = {};
    ASSERT_GT(readlink((dir / "link.ini").c_str(), text, sizeof text - 1), 0);
    EXPECT_STREQ(text, "real/settings.ini");
    EXPECT_EQ(readBytes(dir / "real/settings.ini"), newBytes);
    EXPECT_EQ(readBytes(dir / "real/created.ini"), "made");
    ASSERT_EQ(platform.replaceFile(dir / "same/Settings.ini", newBytes), WriteStatus::Ok);
    EXPECT_EQ(readBytes(dir / "same/Settings.ini"), newBytes);
    EXPECT_EQ(listNames(dir / "same"), (std::vector<std::string>{"SETTINGS.INI", "Settings.ini"}));

    EXPECT_EQ(listNames(dir.path()), (std::vector<std::string>{"dangling.ini", "link.ini", "real", "same"}));
    EXPECT_EQ(listNames(dir / "real"), (std::vector<std::string>{"created.ini", "settings.ini"}));
}

TEST(ReplaceFile, KeepsTheNameOfACaseVariantAndRemovesTheOthers)
{
    TempDir dir;
    dir.write("QMel_DBoyRoms.ini", "old one");
    dir.write("qmel_dboyroms.ini", "old two");
    dir.write("elsewhere/target.ini", "not ours");
    ASSERT_EQ(symlink("elsewhere/target.ini", (dir / "qmEL_DBOYROMS.INI").c_str()), 0);
    dir.makeDirectory("qmel_DBoyRoms.ini");  // a directory is never removed
    dir.write("Qmel_DBoyRoms.ini.bak", "unrelated");
    PosixPlatform platform;

    ASSERT_EQ(platform.replaceFile(dir / "Qmel_DBoyRoms.ini", newBytes), WriteStatus::Ok);
    EXPECT_EQ(readBytes(dir / "QMel_DBoyRoms.ini"), newBytes);
    EXPECT_EQ(listNames(dir.path()), (std::vector<std::string>{"QMel_DBoyRoms.ini", "Qmel_DBoyRoms.ini.bak",
                                                                "elsewhere", "qmel_DBoyRoms.ini"}));
    EXPECT_EQ(readBytes(dir / "elsewhere/target.ini"), "not ours");
}

TEST(ReplaceFile, AFailedCreateLeavesEverythingAsItWas)
{
    TempDir dir;
    dir.write("old.ini", "old");
    dir.makeDirectory("dir.ini");
    ASSERT_EQ(mkfifo((dir / "pipe.ini").c_str(), 0600), 0);
    const std::vector<std::string> before = listNames(dir.path());

    const std::string targets[] = {
        dir / "dir.ini",            // a directory of that name
        dir / "DIR.INI",            // ... found ignoring case
        dir / "pipe.ini",           // never replace a FIFO
        dir / "missing/x.ini",      // no such directory
        dir / "old.ini\n/x.ini",    // a directory name that ends with a line break
        dir / "old.ini/x.ini",      // a file where a directory should be
    };
    PosixPlatform platform;
    for (const std::string& target : targets)
        EXPECT_EQ(platform.replaceFile(target, newBytes), WriteStatus::CannotCreate) << target;
    EXPECT_EQ(listNames(dir.path()), before);
    EXPECT_EQ(readBytes(dir / "old.ini"), "old");
    EXPECT_TRUE(listNames(dir / "dir.ini").empty());
}

TEST(ReplaceFile, AShortWriteKeepsTheOldFile)
{
    TempDir dir;
    dir.write("settings.ini", "old content");
    const std::string target = dir / "settings.ini";

    // A file-size limit makes the write fail as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit;
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 100;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            _exit(100);
        PosixPlatform platform;
        _exit(static_cast<int>(platform.replaceFile(target, std::string(1000, 'x'))));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(WriteStatus::ShortWrite));
    EXPECT_EQ(readBytes(target), "old content");
    EXPECT_EQ(listNames(dir.path()), std::vector<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace qmel
