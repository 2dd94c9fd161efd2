// The settings load (Test) on real files in a temporary start-up directory.

#include "support/ChildProcess.h"
#include "FakeWindow.h"

#include "core/Errors.h"
#include "core/MemoFile.h"
#include "core/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace qmel {
namespace {

using namespace std::string_literals;
using test::FakeWindow;
using test::TempDir;

class SettingsLoad : public testing::Test {
protected:
    // The message of the failure that ended Test, or "" when it ran through.
    std::string load()
    {
        try {
            qmel::Test(state, window, platform);
        } catch (const Failure& failure) {
            return failure.message();
        }
        return "";
    }

    void expectRomsFileNotUsed()
    {
        EXPECT_EQ(window.memo2, "");
        EXPECT_TRUE(window.directoryRequests.empty());
        EXPECT_EQ(window.directory, startup.path());
    }

    TempDir startup;
    test::ScopedCurrentDirectory inStartup{startup.path()};
    Platform& platform = systemPlatform();
    FakeWindow window{platform};
    LauncherState state;
};

TEST_F(SettingsLoad, NoPathFileTakesTheStartupDirectory)
{
    EXPECT_EQ(load(), "");
    EXPECT_EQ(state.EmulatorDir, startup.path());
    EXPECT_EQ(window.memo1, startup.path());
    expectRomsFileNotUsed();
}

TEST_F(SettingsLoad, PathFileTextBecomesMemo1AndEmulatorDir)
{
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"exact bytes", "/c/DBOY", "/c/DBOY"},
        {"backslashes kept", "C:\\DBOY\\", "C:\\DBOY\\"},
        {"blanks kept", "  /games/d boy  ", "  /games/d boy  "},
        {"lf only", "/a\n/b", "/a\r\n/b"},
        {"lone cr", "/a\r/b", "/a\r\n/b"},
        {"trailing crlf", "/dboy\r\n", "/dboy\r\n"},
        {"trailing lf", "/dboy\n", "/dboy\r\n"},
        {"nul ends the text", "/dboy\0/rest\n"s, "/dboy"},
        {"nul first", "\0/dboy"s, ""},
        {"not utf-8", "/d\xff\xfe\x80oy", "/d\xff\xfe\x80oy"},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        startup.write(PathFileReadName, c.bytes);
        state = {};
        window.memo1.clear();
        EXPECT_EQ(load(), "");
        EXPECT_EQ(window.memo1, c.text);
        EXPECT_EQ(state.EmulatorDir, c.text);
        expectRomsFileNotUsed();
    }
}

TEST_F(SettingsLoad, CaseVariantsOfTheNamesAreRead)
{
    // "Qmel_DBoyRoms.ini" is the name the save writes.
    const char* const romsNames[] = {"Qmel_DBoyRoms.ini", "qmel_dboyroms.ini", "QMEL_DBOYROMS.INI"};
    for (const char* romsName : romsNames) {
        SCOPED_TRACE(romsName);
        TempDir other;
        other.makeDirectory("roms");
        test::ScopedCurrentDirectory inOther(other.path());
        FakeWindow otherWindow(platform);
        other.write("qmel_dboypath.ini", "/emu");
        other.write(romsName, other / "roms");
        LauncherState otherState;
        qmel::Test(otherState, otherWindow, platform);
        EXPECT_EQ(otherState.EmulatorDir, "/emu");
        EXPECT_EQ(otherWindow.memo2, other / "roms");
        EXPECT_EQ(platform.currentDirectory(), other / "roms");
    }
}

// What a settings name may be besides a readable file.
enum class Impostor { Directory, Fifo, DanglingLink, DatedBefore1980, LinkToDirectory };

void makeImpostor(const TempDir& dir, const std::string& name, Impostor kind)
{
    const std::string path = dir / name;
    switch (kind) {
    case Impostor::Directory: dir.makeDirectory(name); break;
    case Impostor::Fifo: ASSERT_EQ(mkfifo(path.c_str(), 0644), 0); break;
    case Impostor::DanglingLink: ASSERT_EQ(symlink("nowhere", path.c_str()), 0); break;
    case Impostor::LinkToDirectory:
        dir.makeDirectory("target");
        ASSERT_EQ(symlink("target", path.c_str()), 0);
        break;
    case Impostor::DatedBefore1980: {
        dir.write(name, "/old/dboy");
        std::tm local{};
        local.tm_year = 79;
        local.tm_mon = 5;
        local.tm_mday = 15;
        local.tm_hour = 12;
        local.tm_isdst = -1;
        const timespec times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        break;
    }
    }
}

const Impostor impostors[] = {Impostor::Directory, Impostor::Fifo, Impostor::DanglingLink,
                              Impostor::DatedBefore1980, Impostor::LinkToDirectory};

TEST_F(SettingsLoad, PathNameThatIsNoReadableFileCountsAsMissing)
{
    for (const Impostor kind : impostors) {
        SCOPED_TRACE(static_cast<int>(kind));
        TempDir dir;
        test::ScopedCurrentDirectory inDir(dir.path());
        makeImpostor(dir, PathFileReadName, kind);
        FakeWindow fresh(platform);
        LauncherState freshState;
        qmel::Test(freshState, fresh, platform);
        EXPECT_EQ(freshState.EmulatorDir, dir.path());
        EXPECT_EQ(fresh.memo1, dir.path());
    }
}

TEST_F(SettingsLoad, RomsNameThatIsNoReadableFileCountsAsMissing)
{
    for (const Impostor kind : impostors) {
        SCOPED_TRACE(static_cast<int>(kind));
        TempDir dir;
        test::ScopedCurrentDirectory inDir(dir.path());
        makeImpostor(dir, RomsFileReadName, kind);
        FakeWindow fresh(platform);
        LauncherState freshState;
        qmel::Test(freshState, fresh, platform);
        EXPECT_EQ(fresh.memo2, "");
        EXPECT_TRUE(fresh.directoryRequests.empty());
        EXPECT_EQ(platform.currentDirectory(), dir.path());
    }
}

TEST_F(SettingsLoad, LinkToAPathFileIsFollowed)
{
    startup.write("elsewhere.txt", "/linked/dboy");
    ASSERT_EQ(symlink("elsewhere.txt", (startup / PathFileReadName).c_str()), 0);
    EXPECT_EQ(load(), "");
    EXPECT_EQ(state.EmulatorDir, "/linked/dboy");
}

TEST_F(SettingsLoad, EmptyRomsFileLeavesTheListWhereItIs)
{
    startup.write(RomsFileReadName, "");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(window.memo2, "");
    EXPECT_EQ(window.directoryRequests, std::vector<std::string>{""});
    EXPECT_EQ(platform.currentDirectory(), startup.path());
}

TEST_F(SettingsLoad, RomsFileNamingTheStartupDirectoryKeepsItsText)
{
    startup.write(RomsFileReadName, startup.path());
    EXPECT_EQ(load(), "");
    EXPECT_EQ(window.memo2, startup.path());
    EXPECT_EQ(window.directoryRequests, std::vector<std::string>{startup.path()});
    EXPECT_EQ(platform.currentDirectory(), startup.path());
}

TEST_F(SettingsLoad, RomsFileNamingAnotherDirectoryMovesThereAndMemo2FollowsTheList)
{
    startup.makeDirectory("roms \xff dir");
    // A trailing "/" shows that Memo2 ends up with the directory as reported.
    startup.write(RomsFileReadName, startup / "roms \xff dir/");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(platform.currentDirectory(), startup / "roms \xff dir");
    EXPECT_EQ(window.memo2, startup / "roms \xff dir");
    EXPECT_EQ(state.EmulatorDir, startup.path());
}

TEST_F(SettingsLoad, FailedHandOverKeepsTheEmulatorDirectory)
{
    startup.write(PathFileReadName, "/emu");
    startup.write(RomsFileReadName, startup / "gone");
    EXPECT_EQ(load(), EInOutError(2).message());
    EXPECT_EQ(state.EmulatorDir, "/emu");
    EXPECT_EQ(window.memo1, "/emu");
    EXPECT_EQ(platform.currentDirectory(), startup.path());
}

void makeLargerThanMemoCapacity(const std::string& path, off_t size)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, size), 0);  // sparse: no disk space used
    close(fd);
}

TEST_F(SettingsLoad, PathFileOverCapacityStopsTheLoad)
{
    const off_t sizes[] = {static_cast<off_t>(MemoCapacity) + 1, off_t{5} << 30};
    for (const off_t size : sizes) {
        SCOPED_TRACE(size);
        startup.makeDirectory("roms");
        startup.write(RomsFileReadName, startup / "roms");
        makeLargerThanMemoCapacity(startup / PathFileReadName, size);
        state = {};
        EXPECT_EQ(load(), "Text exceeds memo capacity");
        EXPECT_EQ(state.EmulatorDir, "");
        EXPECT_EQ(window.memo1, "");
        expectRomsFileNotUsed();
    }
}

TEST_F(SettingsLoad, RomsFileOverCapacityLeavesTheListAlone)
{
    startup.write(PathFileReadName, "/emu");
    makeLargerThanMemoCapacity(startup / RomsFileReadName, off_t{5} << 30);
    EXPECT_EQ(load(), "Text exceeds memo capacity");
    EXPECT_EQ(state.EmulatorDir, "/emu");
    EXPECT_EQ(window.memo1, "/emu");
    expectRomsFileNotUsed();
}

// Permission failures need a user without root's override: as root the load
// runs in a child that has become "nobody".
std::vector<std::string> loadAsUnprivilegedUser(Platform& platform, const char* unreadable)
{
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return {test::SkipMarker, "cannot become user 65534"};
    if (access(unreadable, R_OK) == 0)
        return {test::SkipMarker, "this user can read a file without read permission"};
    FakeWindow window(platform);
    LauncherState state;
    std::string message;
    try {
        qmel::Test(state, window, platform);
    } catch (const Failure& failure) {
        message = failure.message();
    }
    return {message, state.EmulatorDir, window.memo1, window.memo2, std::to_string(window.directoryRequests.size())};
}

TEST_F(SettingsLoad, UnreadableSettingsFileFailsWithItsNameAsPassed)
{
    struct Case {
        const char* unreadable;
        std::vector<std::string> expected;  // message, EmulatorDir, Memo1, Memo2, directory requests
    };
    // On disk the ROM file has the name the save writes; the message names it as read.
    const Case cases[] = {
        {PathFileReadName, {"Cannot open file QMel_DBoyPath.ini", "", "", "", "0"}},
        {"Qmel_DBoyRoms.ini", {"Cannot open file QMel_DBoyRoms.ini", "/emu", "/emu", "", "0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unreadable);
        TempDir dir;
        ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
        test::ScopedCurrentDirectory inDir(dir.path());
        dir.makeDirectory("roms");
        dir.write(PathFileReadName, "/emu");
        dir.write("Qmel_DBoyRoms.ini", dir / "roms");
        ASSERT_EQ(chmod((dir / c.unreadable).c_str(), 0), 0);

        const auto result = test::runInChild([&] { return loadAsUnprivilegedUser(platform, c.unreadable); });
        ASSERT_TRUE(result.exitedCleanly) << (result.fields.empty() ? "" : result.fields[0]);
        if (result.fields.at(0) == test::SkipMarker)
            GTEST_SKIP() << result.fields.at(1);
        EXPECT_EQ(result.fields, c.expected);
    }
}

}  // namespace
}  // namespace qmel
