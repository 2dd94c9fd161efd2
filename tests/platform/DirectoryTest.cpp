// Current directory, listing, existence tests and name resolution on real trees.

#include "platform/posix/PosixPlatform.h"
#include "platform/posix/MountTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace qmel {
namespace {

using test::ScopedCurrentDirectory;
using test::TempDir;

void makeLink(const std::string& target, const std::string& link)
{
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0) << link;
}

void makeFifo(const std::string& path)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
}

TEST(ListDirectory, ReportsEveryKindOfEntryWithRawNames)
{
    TempDir dir;
    for (const char* name : {"caf\xE9.gb", "line\nbreak.gb", "say \"hi\".gb", "it's.gb", "-dash.gb", "*", "?",
                             ".hidden.gb"})
        dir.write(name, "x");
    dir.makeDirectory("sub");
    dir.makeDirectory(".hiddenDir");
    makeLink("sub", dir / "toSub");
    makeLink("caf\xE9.gb", dir / "toFile");
    makeLink("nowhere", dir / "broken");
    makeLink("loop", dir / "loop");
    makeFifo(dir / "pipe");

    PosixPlatform platform;
    std::vector<DirectoryEntry> entries{{"stale", false, false, false}};
    ASSERT_EQ(platform.listDirectory(dir.path(), entries), 0);

    using Row = std::tuple<std::string, bool, bool, bool>;  // name, directory, hidden, system
    std::vector<Row> rows;
    for (const DirectoryEntry& e : entries)
        rows.emplace_back(e.name, e.directory, e.hidden, e.system);
    std::sort(rows.begin(), rows.end());
    std::vector<Row> expected = {
        {"*", false, false, false},
        {"-dash.gb", false, false, false},
        {".hidden.gb", false, true, false},
        {".hiddenDir", true, true, false},
        {"?", false, false, false},
        {"broken", false, false, true},
        {"caf\xE9.gb", false, false, false},
        {"it's.gb", false, false, false},
        {"line\nbreak.gb", false, false, false},
        {"loop", false, false, true},
        {"pipe", false, false, true},
        {"say \"hi\".gb", false, false, false},
        {"sub", true, false, false},
        {"toFile", false, false, false},
        {"toSub", true, false, false},
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rows, expected);
}

TEST(ListDirectory, FailuresGiveTheErrorCode)
{
    TempDir dir;
    dir.write("file", "x");
    PosixPlatform platform;
    std::vector<DirectoryEntry> entries;
    EXPECT_EQ(platform.listDirectory(dir / "missing", entries), ENOENT);
    EXPECT_EQ(platform.listDirectory(dir / "file", entries), ENOTDIR);
    EXPECT_TRUE(entries.empty());
}

TEST(ListDirectory, ListsAManyThousandEntryDirectory)
{
    TempDir dir;
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        const int fd = open((dir / ("rom" + std::to_string(i) + ".gb")).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(fd, 0);
        close(fd);
    }
    PosixPlatform platform;
    std::vector<DirectoryEntry> entries;
    ASSERT_EQ(platform.listDirectory(dir.path(), entries), 0);
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(count));
    EXPECT_TRUE(std::none_of(entries.begin(), entries.end(),
                             [](const DirectoryEntry& e) { return e.directory || e.system || e.hidden; }));
}

timespec localMidYear(int year)
{
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    return timespec{std::mktime(&local), 0};
}

void setModificationTime(const std::string& path, int year)
{
    const timespec times[2] = {localMidYear(year), localMidYear(year)};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(FileExists, OnlyRegularFilesOfTheDosDateRange)
{
    TempDir dir;
    dir.write("regular", "x");
    dir.makeDirectory("dir");
    makeFifo(dir / "fifo");
    makeLink("nowhere", dir / "dangling");
    makeLink("regular", dir / "linkToFile");
    makeLink("dir", dir / "linkToDir");
    for (int year : {1979, 1980, 2107, 2108}) {
        dir.write("year" + std::to_string(year), "x");
        setModificationTime(dir / ("year" + std::to_string(year)), year);
    }

    const std::pair<std::string, bool> cases[] = {
        {"regular", true},  {"dir", false},      {"fifo", false},     {"dangling", false},
        {"linkToFile", true}, {"linkToDir", false}, {"year1979", false}, {"year1980", true},
        {"year2107", true}, {"year2108", false}, {"missing", false},
    };
    PosixPlatform platform;
    for (const auto& [name, exists] : cases)
        EXPECT_EQ(platform.fileExists(dir / name), exists) << name;
    EXPECT_TRUE(platform.isDirectory(dir / "linkToDir"));
    EXPECT_FALSE(platform.isDirectory(dir / "linkToFile"));
}

TEST(ResolveName, FindsACaseVariantInTheSameDirectory)
{
    TempDir dir;
    dir.write("Qmel_DBoyRoms.ini", "x");
    dir.write("several/ROMS.INI", "x");
    dir.write("several/roms.ini", "x");
    dir.write("several/Roms.ini", "x");
    dir.write("caf\xE9.ini", "x");
    makeLink("nowhere", dir / "dangling.ini");

    const std::pair<std::string, std::string> cases[] = {
        {"Qmel_DBoyRoms.ini", "Qmel_DBoyRoms.ini"},
        {"QMel_DBoyRoms.ini", "Qmel_DBoyRoms.ini"},
        {"several/rOmS.iNi", "several/ROMS.INI"},
        {"several/roms.ini", "several/roms.ini"},
        {"CAF\xE9.INI", "caf\xE9.ini"},
        {"caf\xC9.ini", "caf\xC9.ini"},
        {"DANGLING.INI", "dangling.ini"},
        {"nothing.ini", "nothing.ini"},
        {"missing/roms.ini", "missing/roms.ini"},
    };
    PosixPlatform platform;
    for (const auto& [asked, found] : cases)
        EXPECT_EQ(platform.resolveName(dir / asked), dir / found) << asked;

    // A bare name is looked up in the current directory and stays bare.
    ScopedCurrentDirectory inside(dir.path());
    EXPECT_EQ(platform.resolveName("QMEL_DBOYROMS.INI"), "Qmel_DBoyRoms.ini");
    EXPECT_EQ(platform.resolveName("nothing.ini"), "nothing.ini");
}

TEST(CurrentDirectory, ChangeReportsErrorsAndKeepsTheOldDirectory)
{
    TempDir dir;
    dir.makeDirectory("a b/c");
    dir.write("file", "x");
    ScopedCurrentDirectory start(dir.path());
    PosixPlatform platform;

    const std::pair<std::string, int> cases[] = {
        {dir / "missing", ENOENT}, {dir / "file", ENOTDIR}, {dir / "file/below", ENOTDIR}, {"", ENOENT}};
    for (const auto& [path, error] : cases) {
        EXPECT_EQ(platform.changeDirectory(path), error) << path;
        EXPECT_EQ(platform.currentDirectory(), dir.path()) << path;
    }
    EXPECT_EQ(platform.changeDirectory("a b/c"), 0);
    EXPECT_EQ(platform.currentDirectory(), dir / "a b/c");
}

TEST(CurrentDirectory, EnterVolumeReturnsToTheLastDirectoryOrTheRoot)
{
    TempDir dir;
    dir.makeDirectory("roms/gb");
    ScopedCurrentDirectory start(dir.path());
    PosixPlatform platform;
    const std::string root = platform.volumeRootOf(dir.path());
    ASSERT_TRUE(pathIsWithin(dir.path(), root));

    EXPECT_EQ(platform.enterVolume(root), 0);
    EXPECT_EQ(platform.currentDirectory(), root) << "nothing remembered yet";

    ASSERT_EQ(platform.changeDirectory(dir / "roms/gb"), 0);
    ASSERT_EQ(platform.changeDirectory(dir.path()), 0);
    ASSERT_EQ(platform.changeDirectory(dir / "roms/gb"), 0);
    ASSERT_EQ(chdir("/"), 0);
    EXPECT_EQ(platform.enterVolume(root), 0);
    EXPECT_EQ(platform.currentDirectory(), dir / "roms/gb");

    // The remembered directory has gone: the root, and no error.
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    ASSERT_EQ(rmdir((dir / "roms/gb").c_str()), 0);
    EXPECT_EQ(platform.enterVolume(root), 0);
    EXPECT_EQ(platform.currentDirectory(), root);

    EXPECT_EQ(platform.enterVolume(dir / "no such volume"), ENOENT);
}

TEST(CurrentDirectory, ReadsPathsLongerThanPathMax)
{
    TempDir dir;
    ScopedCurrentDirectory start(dir.path());
    const std::string component(200, 'd');
    std::string expected = dir.path();
    const int depth = 25;  // about 5,000 bytes
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(mkdir(component.c_str(), 0755), 0);
        ASSERT_EQ(chdir(component.c_str()), 0);
        expected += "/" + component;
    }
    PosixPlatform platform;
    const std::string current = platform.currentDirectory();
    // Too deep for a path-based removal: climb out removing each level.
    for (int i = 0; i < depth; ++i) {
        ASSERT_EQ(chdir(".."), 0);
        ASSERT_EQ(rmdir(component.c_str()), 0);
    }
    EXPECT_GT(current.size(), 4096u);
    EXPECT_EQ(current, expected);
}

TEST(Volumes, ThisMachineHoldsEveryDirectoryInAShownVolume)
{
    TempDir dir;
    PosixPlatform platform;
    const std::vector<Volume> volumes = platform.volumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.front().root, "/");
    EXPECT_EQ(platform.volumeRootOf("/"), "/");
    const std::string root = platform.volumeRootOf(dir.path());
    EXPECT_TRUE(pathIsWithin(dir.path(), root));
    EXPECT_TRUE(std::any_of(volumes.begin(), volumes.end(), [&](const Volume& v) { return v.root == root; }))
        << root;
    EXPECT_EQ(platform.volumeRootOf("/proc/self"), "/");
}

TEST(ErrorCodeForUser, MapsErrnoOntoTheUsersTable)
{
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5},
        {EPERM, 5},  {ENOMEDIUM, 21}, {EIO, EIO}, {ELOOP, ELOOP}, {ENAMETOOLONG, ENAMETOOLONG},
    };
    for (const auto& [osError, userCode] : cases)
        EXPECT_EQ(errorCodeForUser(osError), userCode) << osError;
}

}  // namespace
}  // namespace qmel
